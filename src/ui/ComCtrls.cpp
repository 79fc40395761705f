#include "ui/ComCtrls.h"

#include <algorithm>

namespace ui {

namespace {
int g_nextButtonCommand = 1000;
}

// ---- ImageList ----

ImageList::ImageList(Component* owner, int width, int height)
    : Component(owner), handle_(ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 8, 8)) {}

ImageList::~ImageList() {
  if (handle_) ImageList_Destroy(handle_);
}

int ImageList::Count() const {
  return ImageList_GetImageCount(handle_);
}

bool ImageList::AddMasked(HBITMAP strip, TColor mask) {
  return ImageList_AddMasked(handle_, strip, ColorToRGB(mask)) >= 0;
}

bool ImageList::LoadStrip(const char* resource, TColor mask) {
  auto bmp =
      static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), resource, IMAGE_BITMAP, 0, 0, 0));
  if (!bmp) return false;
  bool ok = AddMasked(bmp, mask);
  DeleteObject(bmp);
  return ok;
}

// ---- ToolButton ----

ToolButton::ToolButton(Component* owner, ToolBar* bar, ToolButtonStyle style)
    : Component(owner), bar_(bar), style_(style), command_(g_nextButtonCommand++) {
  if (bar_) bar_->Add(this);
}

ToolButton::~ToolButton() {
  if (bar_) bar_->Remove(this);
}

void ToolButton::SetCaption(const std::string& c) {
  caption_ = c;
  if (!bar_ || !bar_->Options().ShowCaptions) return;
  TBBUTTONINFOA info{};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_TEXT;
  info.pszText = caption_.data();
  SendMessageA(bar_->Handle(), TB_SETBUTTONINFOA, static_cast<WPARAM>(command_),
               reinterpret_cast<LPARAM>(&info));
  bar_->FixButtonSize();
}

void ToolButton::SetImageIndex(int i) {
  imageIndex_ = i;
  if (bar_) SendMessageA(bar_->Handle(), TB_CHANGEBITMAP, static_cast<WPARAM>(command_), i);
}

void ToolButton::SetEnabled(bool e) {
  enabled_ = e;
  if (bar_) SendMessageA(bar_->Handle(), TB_ENABLEBUTTON, static_cast<WPARAM>(command_), e);
}

void ToolButton::SetVisible(bool v) {
  visible_ = v;
  if (bar_) SendMessageA(bar_->Handle(), TB_HIDEBUTTON, static_cast<WPARAM>(command_), !v);
}

RECT ToolButton::ItemRect() const {
  RECT r{0, 0, 0, 0};
  if (bar_ && visible_)
    SendMessageA(bar_->Handle(), TB_GETITEMRECT, static_cast<WPARAM>(bar_->IndexOf(this)),
                 reinterpret_cast<LPARAM>(&r));
  return r;
}

void ToolButton::Click() {
  if (enabled_ && OnClick) OnClick(this);
}

void ToolButton::Describe(Description& d) const {
  Component::Describe(d);
  d.emplace_back("caption", caption_);
  LRESULT state =
      bar_ ? SendMessageA(bar_->Handle(), TB_GETSTATE, static_cast<WPARAM>(command_), 0) : 0;
  d.emplace_back("enabled", (state & TBSTATE_ENABLED) ? "1" : "0");
  d.emplace_back("visible", (bar_ && !(state & TBSTATE_HIDDEN) && bar_->Showing()) ? "1" : "0");
  d.emplace_back("image", std::to_string(imageIndex_));
  RECT r = ItemRect();
  POINT origin = bar_ ? bar_->ClientToScreen({r.left, r.top}) : POINT{0, 0};
  d.emplace_back("width", std::to_string(r.right - r.left));
  d.emplace_back("height", std::to_string(r.bottom - r.top));
  d.emplace_back("screenleft", std::to_string(origin.x));
  d.emplace_back("screentop", std::to_string(origin.y));
}

// ---- ToolBar ----

ToolBar::ToolBar(Component* owner, WinControl* parent, const ToolBarOptions& options)
    : WinControl(owner, parent), options_(options) {
  SetBounds(0, 0, parent->ClientWidth(), options.ButtonHeight);
  DWORD style = CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER;
  if (options.Flat) style |= TBSTYLE_FLAT;
  if (options.Transparent) style |= TBSTYLE_TRANSPARENT;
  DWORD ex = options.EdgeBorders ? WS_EX_STATICEDGE : 0;
  CreateHandle(TOOLBARCLASSNAMEA, style, ex, parent->Handle());
  SendMessageA(Handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(Handle(), TB_SETBITMAPSIZE, 0, MAKELPARAM(options.ImageWidth, options.ImageHeight));
  // The default padding leaves too little room for a caption under the image.
  SendMessageA(Handle(), TB_SETPADDING, 0, MAKELPARAM(2, 6));
  FixButtonSize();
}

ToolBar::~ToolBar() {
  for (ToolButton* b : buttons_) b->bar_ = nullptr;
}

void ToolBar::FixButtonSize() {
  // The form's button width, widened only when a caption would not fit: the tool bar keeps
  // an edge on each side of the caption that the form's size did not allow for.
  int width = options_.ButtonWidth;
  if (options_.ShowCaptions) {
    HDC dc = GetDC(Handle());
    HGDIOBJ old = SelectObject(dc, FontHandle());
    for (ToolButton* b : buttons_) {
      // Blanks around a caption may be cut; its letters may not.
      std::size_t first = b->caption_.find_first_not_of(' ');
      std::string text = first == std::string::npos ? std::string() : b->caption_.substr(first);
      text.erase(text.find_last_not_of(' ') + 1);
      SIZE size{};
      GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
      width = std::max<int>(width, size.cx + 2 * GetSystemMetrics(SM_CXEDGE) + 4);
    }
    SelectObject(dc, old);
    ReleaseDC(Handle(), dc);
  }
  SendMessageA(Handle(), TB_SETBUTTONSIZE, 0, MAKELPARAM(width, options_.ButtonHeight));
  SendMessageA(Handle(), TB_SETBUTTONWIDTH, 0, MAKELPARAM(width, width));
}

void ToolBar::SetImages(ImageList* normal, ImageList* hot, ImageList* disabled) {
  SendMessageA(Handle(), TB_SETIMAGELIST, 0,
               reinterpret_cast<LPARAM>(normal ? normal->Handle() : nullptr));
  SendMessageA(Handle(), TB_SETHOTIMAGELIST, 0,
               reinterpret_cast<LPARAM>(hot ? hot->Handle() : nullptr));
  SendMessageA(Handle(), TB_SETDISABLEDIMAGELIST, 0,
               reinterpret_cast<LPARAM>(disabled ? disabled->Handle() : nullptr));
  FixButtonSize();
  InvalidateRect(Handle(), nullptr, TRUE);
}

int ToolBar::IndexOf(const ToolButton* b) const {
  auto it = std::find(buttons_.begin(), buttons_.end(), b);
  return it == buttons_.end() ? -1 : static_cast<int>(it - buttons_.begin());
}

void ToolBar::Add(ToolButton* b) {
  TBBUTTON tb{};
  tb.idCommand = b->command_;
  tb.fsState = TBSTATE_ENABLED;
  if (b->style_ == ToolButtonStyle::Separator) {
    tb.fsStyle = BTNS_SEP;
    tb.iBitmap = options_.SeparatorWidth;
  } else {
    tb.fsStyle = BTNS_BUTTON;
    tb.iBitmap = I_IMAGENONE;
    tb.iString = -1;
  }
  buttons_.push_back(b);
  SendMessageA(Handle(), TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&tb));
  FixButtonSize();
}

void ToolBar::Remove(ToolButton* b) {
  int index = IndexOf(b);
  if (index < 0) return;
  SendMessageA(Handle(), TB_DELETEBUTTON, static_cast<WPARAM>(index), 0);
  buttons_.erase(buttons_.begin() + index);
}

bool ToolBar::Command(WORD, WORD id) {
  for (ToolButton* b : buttons_)
    if (b->command_ == id) {
      b->Click();
      return true;
    }
  return false;
}

// ---- PageControl ----

TabSheet::TabSheet(Component* owner, PageControl* pages, const std::string& caption)
    : WinControl(owner, pages), pages_(pages) {
  SetCaption(caption);
  SetVisible(false);
  SetColor(clBtnFace);
  CreateHandle(nullptr, WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, pages->Handle());
}

void TabSheet::TextChanged() {
  int index = -1;
  for (std::size_t i = 0; i < pages_->sheets_.size(); ++i)
    if (pages_->sheets_[i] == this) index = static_cast<int>(i);
  if (index < 0) return;
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  std::string text = Caption();
  item.pszText = text.data();
  SendMessageA(pages_->Handle(), TCM_SETITEMA, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(&item));
}

PageControl::PageControl(Component* owner, WinControl* parent) : WinControl(owner, parent) {
  SetBounds(0, 0, 289, 193);
  CreateHandle(WC_TABCONTROLA, WS_TABSTOP, WS_EX_CONTROLPARENT, parent->Handle());
}

TabSheet* PageControl::AddPage(const std::string& caption) {
  auto* sheet = new TabSheet(Owner(), this, caption);
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  std::string text = caption;
  item.pszText = text.data();
  SendMessageA(Handle(), TCM_INSERTITEMA, sheets_.size(), reinterpret_cast<LPARAM>(&item));
  sheets_.push_back(sheet);
  PlaceSheets();
  if (active_ < 0) SetActivePageIndex(0);
  return sheet;
}

TabSheet* PageControl::ActivePage() const {
  return active_ < 0 ? nullptr : sheets_[static_cast<std::size_t>(active_)];
}

void PageControl::SetActivePageIndex(int index) {
  if (index < 0 || index >= static_cast<int>(sheets_.size())) return;
  SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  TabSheet* previous = ActivePage();
  active_ = index;
  ActivePage()->SetVisible(true);
  if (previous && previous != ActivePage()) previous->SetVisible(false);
}

void PageControl::SetActivePage(TabSheet* sheet) {
  for (std::size_t i = 0; i < sheets_.size(); ++i)
    if (sheets_[i] == sheet) SetActivePageIndex(static_cast<int>(i));
}

bool PageControl::Notify(NMHDR* nm, LRESULT& result) {
  if (nm->code != TCN_SELCHANGE) return false;
  SetActivePageIndex(static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0)));
  if (OnChange) OnChange(this);
  result = 0;
  return true;
}

void PageControl::BoundsChanged() {
  WinControl::BoundsChanged();
  PlaceSheets();
}

void PageControl::PlaceSheets() {
  RECT r{0, 0, Width(), Height()};
  SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  for (TabSheet* sheet : sheets_)
    sheet->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

}  // namespace ui
