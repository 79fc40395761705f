// The main window: tool bar, recorder page, information line and level indicators.
#pragma once

#include <cstdint>
#include <string>

#include "app/SingleInst.h"
#include "ui/ComCtrls.h"
#include "ui/Dialogs.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

// Texts of the information line and of the mail body; the language step replaces them.
extern std::string EMailBodyText;
extern std::string NoMessageText;
extern std::string MessageDetailsFormat;
extern std::string LastRecordedFormat;
extern std::string UncompressedWaveText;
extern std::string GSMWaveText;

// How much smaller the file is than the plain recording, in percent, truncated toward
// zero; 0 when the plain size is 0. Exact for any pair of 32-bit sizes.
std::int64_t CompressionRatio(std::int32_t plainSize, std::int32_t fileSize);

// Fills "%s", "%d" and "%%" of a format with the given texts in order. A placeholder
// without a text left stays as it is, so a translated format cannot read past the list.
std::string FormatPlaceholders(const std::string& format, const std::vector<std::string>& args);

class TVoiceMailForm : public ui::Form {
 public:
  explicit TVoiceMailForm(ui::Component* owner);

  ui::MainMenu* MainMenu;
  ui::MenuItem *miFile, *miRecord, *miStop, *miPlay, *miPause, *miSend, *miSaveAs, *miAttach,
      *miAdjustVolume, *miAdjustMicrophoneLevel, *miClose;
  ui::MenuItem *miView, *miViewAddHere, *MenuSepInfoView, *miLanguage, *miMLSItemsHere, *miOptions;
  ui::MenuItem *miHelp, *miHelpInsertHere;

  ui::ImageList *Normal, *Disabled, *MenuImages;
  ui::SaveDialog* SaveDialog;
  TSingleInstanceManager* InstMan;

  ui::Bevel* Bevel1;
  ui::Notebook* Book;
  ui::NotebookPage *pageDefault, *pageRecorder;
  ui::ToolBar* ToolBar;
  ui::ToolButton *btnRecord, *btnPlay, *tbSep1, *btnSend, *btnAttach, *tbSep2, *btnLanguage,
      *btnOptions, *tbSep3, *btnExit;
  ui::Bevel* ToolBarBevel;
  ui::Panel* panInfoViewer;
  ui::Bevel* bevBottom;
  ui::Panel* panStatusbar;
  ui::Label *LMessageInfo, *LDetails;
  ui::Panel *panVolume, *panMicLevel;
  ui::Image *imgVolume, *imgMicLevel;
  ui::PaintBox *PaintBoxVolume, *PaintBoxMic;

  void FormCreate(ui::Component* sender);
  void FormShow(ui::Component* sender);
  void FormClose(ui::Component* sender, ui::CloseAction& action);
  void FormDestroy(ui::Component* sender);
  // A later start of the program asks this instance to come to the front.
  void InstManStartRequest(ui::Component* sender);

  void UpdateMessageInfo();
  // Start-up adjustments of the mixer: wave output at least MinWaveLevel, the microphone
  // as recording source, master and wave output not muted.
  void PrepareMixer();
  // The level indicators: L rows from the top stay grey, the rest of the picture's pure
  // green window shows the level.
  void DrawLevelIndicator(ui::Image* image, ui::PaintBox* box, std::int32_t rows, HDC dc = nullptr);
  void VolumeLevelChanged(std::int32_t rows);
  void MicLevelChanged(std::int32_t rows);
  void PaintBoxVolumePaint(ui::Component* sender, HDC dc);
  void PaintBoxMicPaint(ui::Component* sender, HDC dc);
  std::int32_t VolumeLevel() const { return FVolumeLevel; }
  std::int32_t MicLevel() const { return FMicLevel; }
  void Describe(ui::Description& d) const override;
  void UpdateCommands();
  void ArrangePanels();
  void PlaceUnderCursor();

  // Commands; those of later parts of the program do nothing yet.
  void cmdRecord(ui::Component* sender);
  void cmdStop(ui::Component* sender);
  void cmdPlay(ui::Component* sender);
  void cmdPause(ui::Component* sender);
  void cmdSend(ui::Component* sender);
  void cmdSaveAs(ui::Component* sender);
  void cmdAttach(ui::Component* sender);
  void cmdShowSlider(ui::Component* sender);
  void cmdOptions(ui::Component* sender);
  void cmdClose(ui::Component* sender);
  void miFileClick(ui::Component* sender);

 private:
  void CreateComponents();
  void CreateMenu();
  void CreateToolBar();
  void CreateStatusBar();
  ui::MenuItem* AddItem(ui::MenuItem* parent, const char* name, const std::string& caption,
                        ui::ShortCut shortCut = 0,
                        void (TVoiceMailForm::*handler)(ui::Component*) = nullptr);
  ui::ToolButton* AddButton(const char* name, const std::string& caption, int image,
                            void (TVoiceMailForm::*handler)(ui::Component*));
  ui::ToolButton* AddSeparator(const char* name);
  ui::Panel* AddIndicator(const char* panel, int tag, const char* image, const char* bitmap,
                          const char* paintBox, const std::string& hint);
  template <class T>
  T* Named(T* component, const char* name) {
    component->Name = name;
    return component;
  }

  bool FShown = false;
  std::int32_t FVolumeLevel = 0;
  std::int32_t FMicLevel = 0;
};
