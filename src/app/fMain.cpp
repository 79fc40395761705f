#include "app/fMain.h"

#include "app/VoiceMail.h"
#include "app/vmOptions.h"
#include "audio/MixerUtils.h"
#include "audio/fSlider.h"
#include "util/qsUtils.h"

std::string EMailBodyText =
    "\\nThis e-mail contains a voice message. Double click the\\nattached file's icon to play it "
    "back.\\n\\nTo create your own voice messages, download your FREE\\nBrevilo VoiceMail from "
    "https://www.brevilo.example";
std::string NoMessageText = "Click the Record button to record your voice message.";
std::string MessageDetailsFormat =
    "Message duration %d Sec.\\nSize %s. File size %s (Compression ratio %d%%)\\nFormat: %s, %s, "
    "%s, %s";
std::string LastRecordedFormat = "Last message recorded on %s";
std::string UncompressedWaveText = "Uncompressed Wave";
std::string GSMWaveText = "GSM 6.10 Wave";

namespace {

constexpr ui::TColor kFormColor = 14147299;

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

template <class F>
ui::NotifyEvent Bind(TVoiceMailForm* form, F handler) {
  return [form, handler](ui::Component* sender) { (form->*handler)(sender); };
}

}  // namespace

std::int64_t CompressionRatio(std::int32_t plainSize, std::int32_t fileSize) {
  if (plainSize == 0) return 0;
  return (std::int64_t{plainSize} - fileSize) * 100 / plainSize;
}

std::string FormatPlaceholders(const std::string& format, const std::vector<std::string>& args) {
  std::string out;
  std::size_t next = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    char c = format[i];
    char type = i + 1 < format.size() ? format[i + 1] : '\0';
    if (c == '%' && type == '%') {
      out += '%';
      ++i;
    } else if (c == '%' && (type == 's' || type == 'd') && next < args.size()) {
      out += args[next++];
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}

TVoiceMailForm::TVoiceMailForm(ui::Component* owner) : ui::Form(owner) {
  CreateComponents();
  OnCreate = Bind(this, &TVoiceMailForm::FormCreate);
  OnShow = Bind(this, &TVoiceMailForm::FormShow);
  OnClose = [this](ui::Component* s, ui::CloseAction& a) { FormClose(s, a); };
  OnDestroy = Bind(this, &TVoiceMailForm::FormDestroy);
  DoCreate();
}

// ---- the form's components, in the order of its definition ----

void TVoiceMailForm::CreateComponents() {
  Name = "VoiceMailForm";
  SetCaption("Brevilo Dorar Adar");
  SetBorderStyle(ui::BorderStyle::Single);
  SetBorderIcons({.SystemMenu = true, .Minimize = true, .Maximize = false});
  SetColor(kFormColor);
  SetFont({.Name = "Tahoma", .Height = -11, .Color = ui::clWindowText, .Style = 0});

  Normal = Named(new ui::ImageList(this, 20, 20), "Normal");
  Normal->LoadStrip("TOOLBAR_NORMAL", ui::clFuchsia);
  Disabled = Named(new ui::ImageList(this, 20, 20), "Disabled");
  Disabled->LoadStrip("TOOLBAR_DISABLED", ui::clFuchsia);
  MenuImages = Named(new ui::ImageList(this, 16, 16), "MenuImages");
  SaveDialog = Named(new ui::SaveDialog(this), "SaveDialog");
  SaveDialog->DefaultExt = "*.wav";
  SaveDialog->Filter = "Sound Files (*.wav)|*.wav|All Files (*.*)|*.*";
  InstMan = Named(new TSingleInstanceManager(this), "InstMan");
  InstMan->OnStartRequest = Bind(this, &TVoiceMailForm::InstManStartRequest);

  CreateMenu();

  Bevel1 = Named(new ui::Bevel(this, this), "Bevel1");
  Bevel1->SetShape(ui::BevelShape::TopLine);
  Bevel1->SetBounds(0, 0, 472, 2);
  Bevel1->SetAlign(ui::Align::Top);

  Book = Named(new ui::Notebook(this, this), "Book");
  Book->SetBounds(0, 2, 472, 40);
  Book->SetAlign(ui::Align::Top);
  pageDefault = Named(Book->AddPage("Default"), "Default");
  pageRecorder = Named(Book->AddPage("Recorder"), "Recorder");
  CreateToolBar();

  ToolBarBevel = Named(new ui::Bevel(this, this), "ToolBarBevel");
  ToolBarBevel->SetShape(ui::BevelShape::TopLine);
  ToolBarBevel->SetBounds(0, 42, 472, 2);
  ToolBarBevel->SetAlign(ui::Align::Top);

  panInfoViewer = Named(new ui::Panel(this, this), "panInfoViewer");
  panInfoViewer->SetBevelOuter(ui::PanelBevel::None);
  panInfoViewer->SetParentColor(true);
  panInfoViewer->SetBounds(0, 44, 472, 62);
  panInfoViewer->SetAlign(ui::Align::Top);
  bevBottom = Named(new ui::Bevel(this, panInfoViewer), "bevBottom");
  bevBottom->SetShape(ui::BevelShape::BottomLine);
  bevBottom->SetBounds(0, 60, 472, 2);
  bevBottom->SetAlign(ui::Align::Bottom);

  CreateStatusBar();
}

void TVoiceMailForm::CreateToolBar() {
  ToolBar = Named(new ui::ToolBar(this, pageDefault,
                                  {.Flat = true,
                                   .ShowCaptions = true,
                                   .Transparent = true,
                                   .EdgeBorders = false,
                                   .ButtonWidth = 54,
                                   .ButtonHeight = 40,
                                   .ImageWidth = 20,
                                   .ImageHeight = 20,
                                   .SeparatorWidth = 8}),
                  "ToolBar");
  ToolBar->SetAlign(ui::Align::Top);
  ToolBar->SetImages(Normal, Normal, Disabled);
  btnRecord = AddButton("btnRecord", "Record", 0, &TVoiceMailForm::cmdRecord);
  btnPlay = AddButton("btnPlay", "   Play   ", 1, &TVoiceMailForm::cmdPlay);
  tbSep1 = AddSeparator("tbSep1");
  btnSend = AddButton("btnSend", "  Send  ", 2, &TVoiceMailForm::cmdSend);
  btnAttach = AddButton("btnAttach", " Attach", 3, &TVoiceMailForm::cmdAttach);
  tbSep2 = AddSeparator("tbSep2");
  // The language component opens its popup menu from this button.
  btnLanguage = AddButton("btnLanguage", "Language", 4, nullptr);
  btnOptions = AddButton("btnOptions", "Options", 5, &TVoiceMailForm::cmdOptions);
  btnOptions->SetVisible(false);
  tbSep3 = AddSeparator("tbSep3");
  btnExit = AddButton("btnExit", "Exit", 6, &TVoiceMailForm::cmdClose);
}

void TVoiceMailForm::CreateStatusBar() {
  panStatusbar = Named(new ui::Panel(this, this), "panStatusbar");
  panStatusbar->SetBevelOuter(ui::PanelBevel::None);
  panStatusbar->SetParentColor(true);
  panStatusbar->SetBounds(0, 106, 472, 20);
  panStatusbar->SetAlign(ui::Align::Top);

  LMessageInfo = Named(new ui::Label(this, panStatusbar), "LMessageInfo");
  LMessageInfo->SetTransparent(true);
  LMessageInfo->SetBounds(4, 3, 0, 0);
  LMessageInfo->SetCaption(NoMessageText);

  LDetails = Named(new ui::Label(this, panStatusbar), "LDetails");
  LDetails->SetTransparent(true);
  LDetails->SetFont(
      {.Name = "Tahoma", .Height = -11, .Color = ui::clBlue, .Style = ui::fsUnderline});
  LDetails->SetBounds(307, 3, 0, 0);
  LDetails->SetCaption("Details...");
  LDetails->SetShowHint(true);

  panMicLevel = AddIndicator("panMicLevel", 1, "imgMicLevel", "MICLEVEL", "PaintBoxMic",
                             "Click here to adjust microphone level");
  panVolume = AddIndicator("panVolume", 0, "imgVolume", "VOLUME", "PaintBoxVolume",
                           "Click here to adjust volume");
  imgMicLevel = static_cast<ui::Image*>(FindComponent("imgMicLevel"));
  imgVolume = static_cast<ui::Image*>(FindComponent("imgVolume"));
  PaintBoxMic = static_cast<ui::PaintBox*>(FindComponent("PaintBoxMic"));
  PaintBoxVolume = static_cast<ui::PaintBox*>(FindComponent("PaintBoxVolume"));
  PaintBoxVolume->OnPaint = [this](ui::Component* s, HDC dc, const RECT&) {
    PaintBoxVolumePaint(s, dc);
  };
  PaintBoxMic->OnPaint = [this](ui::Component* s, HDC dc, const RECT&) { PaintBoxMicPaint(s, dc); };
}

ui::Panel* TVoiceMailForm::AddIndicator(const char* panel, int tag, const char* image,
                                        const char* bitmap, const char* paintBox,
                                        const std::string& hint) {
  auto* p = Named(new ui::Panel(this, panStatusbar), panel);
  p->Tag = tag;
  p->SetBevelOuter(ui::PanelBevel::None);
  p->SetParentColor(true);
  // The volume panel lies right of the microphone panel.
  p->SetBounds(tag == 0 ? 433 : 394, 0, 39, 20);
  p->SetAlign(ui::Align::Right);
  p->SetHint(hint);
  p->SetShowHint(true);
  p->OnClick = Bind(this, &TVoiceMailForm::cmdShowSlider);
  auto* img = Named(new ui::Image(this, p), image);
  img->SetBounds(0, 2, 34, 16);
  img->LoadFromResource(bitmap);
  img->SetEnabled(false);
  auto* box = Named(new ui::PaintBox(this, p), paintBox);
  box->SetBounds(24, 0, 15, 20);
  box->SetAlign(ui::Align::Right);
  box->SetEnabled(false);
  return p;
}

ui::ToolButton* TVoiceMailForm::AddButton(const char* name, const std::string& caption, int image,
                                          void (TVoiceMailForm::*handler)(ui::Component*)) {
  auto* b = Named(new ui::ToolButton(this, ToolBar), name);
  b->SetCaption(caption);
  b->SetImageIndex(image);
  if (handler) b->OnClick = Bind(this, handler);
  return b;
}

ui::ToolButton* TVoiceMailForm::AddSeparator(const char* name) {
  return Named(new ui::ToolButton(this, ToolBar, ui::ToolButtonStyle::Separator), name);
}

ui::MenuItem* TVoiceMailForm::AddItem(ui::MenuItem* parent, const char* name,
                                      const std::string& caption, ui::ShortCut shortCut,
                                      void (TVoiceMailForm::*handler)(ui::Component*)) {
  auto* item = Named(new ui::MenuItem(this), name);
  item->SetCaption(caption);
  item->SetShortCut(shortCut);
  if (handler) item->OnClick = Bind(this, handler);
  parent->Add(item);
  return item;
}

void TVoiceMailForm::CreateMenu() {
  using ui::ShortCutOf;
  MainMenu = Named(new ui::MainMenu(this), "MainMenu");
  ui::MenuItem* bar = &MainMenu->Items();
  miFile = AddItem(bar, "miFile", "&File", 0, &TVoiceMailForm::miFileClick);
  miRecord =
      AddItem(miFile, "miRecord", "Record Message", ShortCutOf(VK_F2), &TVoiceMailForm::cmdRecord);
  miStop = AddItem(miFile, "miStop", "Stop", ShortCutOf(VK_F3), &TVoiceMailForm::cmdStop);
  miPlay = AddItem(miFile, "miPlay", "&Play Message", ShortCutOf(VK_F4), &TVoiceMailForm::cmdPlay);
  miPause = AddItem(miFile, "miPause", "Pause", ShortCutOf(VK_ESCAPE), &TVoiceMailForm::cmdPause);
  AddItem(miFile, "N1", "-");
  miSend = AddItem(miFile, "miSend", "&Send Message", ShortCutOf(VK_F5), &TVoiceMailForm::cmdSend);
  miSaveAs =
      AddItem(miFile, "miSaveAs", "Save As...", ShortCutOf(VK_F12), &TVoiceMailForm::cmdSaveAs);
  miAttach = AddItem(miFile, "miAttach", "Attach to E-Mail...", ShortCutOf('A', ui::scCtrl),
                     &TVoiceMailForm::cmdAttach);
  AddItem(miFile, "N2", "-");
  miAdjustVolume = AddItem(miFile, "miAdjustVolume", "Adjust Volume", ShortCutOf('V', ui::scCtrl),
                           &TVoiceMailForm::cmdShowSlider);
  miAdjustVolume->Tag = 0;
  miAdjustMicrophoneLevel = AddItem(miFile, "miAdjustMicrophoneLevel", "Adjust Microphone Level",
                                    ShortCutOf('M', ui::scCtrl), &TVoiceMailForm::cmdShowSlider);
  miAdjustMicrophoneLevel->Tag = 1;
  AddItem(miFile, "N3", "-");
  miClose = AddItem(miFile, "miClose", "&Close", 0, &TVoiceMailForm::cmdClose);

  miView = AddItem(bar, "miView", "&View");
  // Places where the environment component and the language menu put their items.
  miViewAddHere = AddItem(miView, "miViewAddHere", "miViewAddHere");
  miViewAddHere->SetVisible(false);
  MenuSepInfoView = AddItem(miView, "MenuSepInfoView", "-");
  miLanguage = AddItem(miView, "miLanguage", "&Language");
  miMLSItemsHere = AddItem(miLanguage, "miMLSItemsHere", "miMLSItemsHere");
  miMLSItemsHere->SetVisible(false);
  AddItem(miView, "N4", "-");
  miOptions =
      AddItem(miView, "miOptions", "&Options...", ShortCutOf(VK_F8), &TVoiceMailForm::cmdOptions);

  miHelp = AddItem(bar, "miHelp", "&Help");
  miHelpInsertHere = AddItem(miHelp, "miHelpInsertHere", "miHelpInsertHere");
  miHelpInsertHere->SetVisible(false);
  SetMenu(MainMenu);
}

// ---- events ----

void TVoiceMailForm::FormCreate(ui::Component*) {
  // From now on later starts of the program find this instance.
  InstMan->SetProgramID(ProgramGUID);
  ui::App()->SetHintPause(10);
  ui::App()->SetHintHidePause(30000);
  Book->SetPageIndex(0);
  SetClientHeight(125);
  SetClientWidth(472);
  // The indicator paint boxes lie over the pictures, two pixels below the panel's top.
  for (auto [box, panel] :
       {std::pair{PaintBoxMic, panMicLevel}, std::pair{PaintBoxVolume, panVolume}}) {
    box->SetAlign(ui::Align::Bottom);
    box->SetHeight(panel->Height() - 2);
  }
  PrepareMixer();
}

void TVoiceMailForm::PrepareMixer() {
  if (!VMProperties) return;  // a form built without the program's settings
  if (GetMixerVolume(0) < VMProperties->MinWaveLevel) SetMixerVolume(0, VMProperties->MinWaveLevel);
  SelectMicrophoneSource();
  SetMixerMute(1, false);
  SetMixerMute(0, false);
}

void TVoiceMailForm::FormShow(ui::Component*) {
  if (FShown) return;
  ui::App()->ProcessMessages();
  FShown = true;
  TSliderForm* slider = TSliderForm::Instance();
  slider->OnVolumeChange = [this](std::int32_t rows) { VolumeLevelChanged(rows); };
  slider->OnMicChange = [this](std::int32_t rows) { MicLevelChanged(rows); };
  slider->RefreshLevels();
  UpdateMessageInfo();
  PlaceUnderCursor();
}

void TVoiceMailForm::FormClose(ui::Component*, ui::CloseAction&) {}

void TVoiceMailForm::FormDestroy(ui::Component*) {}

void TVoiceMailForm::InstManStartRequest(ui::Component*) {
  ui::App()->Restore();
  Show();
}

void TVoiceMailForm::UpdateMessageInfo() {
  // The format words are the same whatever format the message file has.
  const std::string rateWord = FormatPlaceholders("%s KHz", {"8"});
  const std::string channelWord = "Mono";
  const std::string bitsWord = FormatPlaceholders("%d Bit", {"16"});
  const std::string& file = VMProperties->MsgFileName;
  if (!FileExists(file)) {
    LMessageInfo->SetCaption(NoMessageText);
    LDetails->SetVisible(false);
  } else {
    std::string when = FormatFileDateTime(FileDateTimeOf(file));
    std::int32_t fileSize = FileSizeOf(file);
    std::int32_t plainSize = VMProperties->PlainSize != 0 ? VMProperties->PlainSize : fileSize;
    const std::string& formatName = plainSize == fileSize ? UncompressedWaveText : GSMWaveText;
    LDetails->SetHint(FormatPlaceholders(
        ExpandLineBreaks(MessageDetailsFormat),
        {std::to_string(VMProperties->DurationSec), FormatFileSize(plainSize),
         FormatFileSize(fileSize), std::to_string(CompressionRatio(plainSize, fileSize)),
         formatName, rateWord, channelWord, bitsWord}));
    LMessageInfo->SetCaption(FormatPlaceholders(LastRecordedFormat, {when}));
    LDetails->SetLeft(LMessageInfo->Left() + LMessageInfo->Width() + 15);
    LDetails->SetVisible(true);
  }
  UpdateCommands();
}

void TVoiceMailForm::UpdateCommands() {
  btnPlay->SetEnabled(FileExists(VMProperties->MsgFileName));
  bool enabled = btnPlay->Enabled();
  for (ui::ToolButton* b : {btnSend, btnAttach}) b->SetEnabled(enabled);
  for (ui::MenuItem* m : {miPlay, miSend, miAttach, miSaveAs}) m->SetEnabled(enabled);
}

void TVoiceMailForm::ArrangePanels() {
  if (panInfoViewer->Visible())
    panInfoViewer->SetTop(ToolBarBevel->Top() + 4);
  else
    panStatusbar->SetTop(ToolBarBevel->Top() + 4);
  SetClientHeight(panStatusbar->Top() + panStatusbar->Height());
}

void TVoiceMailForm::PlaceUnderCursor() {
  RECT button = btnRecord->ItemRect();
  POINT p = ToolBar->ClientToScreen({button.left + 20, button.top + 20});
  POINT c{};
  GetCursorPos(&c);
  int left = c.x - (p.x - Left());
  int top = c.y - (p.y - Top());
  int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  if (left < 0)
    left = 0;
  else if (left + Width() > screenWidth - 50)
    left = screenWidth - Width() - 50;
  if (top < 0)
    top = 0;
  else if (top + Height() > screenHeight - 80)
    top = screenHeight - Height() - 80;
  SetBounds(left, top, Width(), Height());
}

// ---- level indicators ----

void TVoiceMailForm::DrawLevelIndicator(ui::Image* image, ui::PaintBox* box, std::int32_t rows,
                                        HDC dc) {
  BITMAP bm{};
  if (!image->Bitmap() || !GetObjectA(image->Bitmap(), sizeof bm, &bm)) return;
  HWND window = box->Parent() ? box->Parent()->Handle() : nullptr;
  HDC target = dc;
  if (!target) {
    // Drawn straight onto the panel, where the paint box lies.
    if (!window) return;
    target = GetDC(window);
    SetViewportOrgEx(target, box->Left(), box->Top(), nullptr);
  }
  {
    ui::MemoryDC mem(target, bm.bmWidth, bm.bmHeight);
    RECT r{0, 0, bm.bmWidth, bm.bmHeight};
    HBRUSH grey = CreateSolidBrush(RGB(128, 128, 128));
    FillRect(mem, &r, grey);
    DeleteObject(grey);
    r.top += rows;
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    FillRect(mem, &r, green);
    DeleteObject(green);
    {
      ui::MemoryDC src(target);
      ui::SelectedObject selected(src, image->Bitmap());
      TransparentBlt(mem, 0, 0, bm.bmWidth, bm.bmHeight, src, 0, 0, bm.bmWidth, bm.bmHeight,
                     RGB(0, 255, 0));
    }
    BitBlt(target, 0, 0, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
  }
  if (!dc) ReleaseDC(window, target);
}

void TVoiceMailForm::Describe(ui::Description& d) const {
  ui::Form::Describe(d);
  d.emplace_back("volumelevel", std::to_string(FVolumeLevel));
  d.emplace_back("miclevel", std::to_string(FMicLevel));
}

void TVoiceMailForm::VolumeLevelChanged(std::int32_t rows) {
  FVolumeLevel = rows;
  DrawLevelIndicator(imgVolume, PaintBoxVolume, rows);
}

void TVoiceMailForm::MicLevelChanged(std::int32_t rows) {
  FMicLevel = rows;
  DrawLevelIndicator(imgMicLevel, PaintBoxMic, rows);
}

void TVoiceMailForm::PaintBoxVolumePaint(ui::Component*, HDC dc) {
  DrawLevelIndicator(imgVolume, PaintBoxVolume, FVolumeLevel, dc);
}

void TVoiceMailForm::PaintBoxMicPaint(ui::Component*, HDC dc) {
  DrawLevelIndicator(imgMicLevel, PaintBoxMic, FMicLevel, dc);
}

// ---- commands ----

void TVoiceMailForm::cmdRecord(ui::Component*) {}
void TVoiceMailForm::cmdStop(ui::Component*) {}
void TVoiceMailForm::cmdPlay(ui::Component*) {}
void TVoiceMailForm::cmdPause(ui::Component*) {}
void TVoiceMailForm::cmdSend(ui::Component*) {}
void TVoiceMailForm::cmdSaveAs(ui::Component*) {}
void TVoiceMailForm::cmdAttach(ui::Component*) {}
void TVoiceMailForm::cmdShowSlider(ui::Component* sender) {
  TSliderForm::ShowSlider(sender->Tag == 0);
}
void TVoiceMailForm::cmdOptions(ui::Component*) {}
void TVoiceMailForm::cmdClose(ui::Component*) {
  Close();
}
void TVoiceMailForm::miFileClick(ui::Component*) {}
