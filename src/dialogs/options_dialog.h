// The options dialog: hot key, opacity, close-button mode, autostart, new-page defaults, skin and version.
#pragma once

#include <QDialog>

#include <string>

#include "dialogs/note_window_host.h"
#include "qt/dialog_service.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QSpinBox;
class QTabWidget;

namespace dialogs {

class THotKeyEdit;

// Opacity and skin act on the note window at once as a preview; OK keeps them and stores the other
// choices in memory and in the autostart entry; Cancel, Esc or closing puts the preview back. The
// settings file is written only when the program closes.
class TfrmOptions : public QDialog {
  Q_OBJECT

 public:
  // Builds the controls and runs the opening: every value is read afresh from the host.
  TfrmOptions(TOptionsHost& host, qtui::TDialogService& dialogs);

  // Cancel: the skin and the opacity of the opening come back; nothing else changes.
  void reject() override;

 private:
  void BuildGeneralTab(QWidget& tab);
  void BuildNewMemoTab(QWidget& tab);
  void BuildSkinTab(QWidget& tab);
  void BuildAboutTab(QWidget& tab);
  void FormShow();

  void udAlphaChange();
  void lstSkinsClick();
  void btnFontClick();
  void btnOkClick();
  void ShowPreviewFont();

  TOptionsHost& FHost;
  qtui::TDialogService& FDialogs;
  std::string FSkinAtOpen;
  int FOpacityAtOpen = 255;
  bool FSkinPreviewed = false;
  // The font pnlPrev shows, which OK makes the default of new pages.
  editor::TEditorFont FPreviewFont;

  QTabWidget* FTabs = nullptr;
  THotKeyEdit* FHkText = nullptr;
  QSpinBox* FUdAlpha = nullptr;
  QCheckBox* FChkResident = nullptr;
  QCheckBox* FChkStartup = nullptr;
  QCheckBox* FChkWordWrap = nullptr;
  QLabel* FPnlPrev = nullptr;
  QListWidget* FLstSkins = nullptr;
  QLabel* FAboutImage = nullptr;
  QLabel* FAboutLabel1 = nullptr;
  QLabel* FAboutLabel2 = nullptr;
  QLabel* FAboutLabel3 = nullptr;
};

// The main menu's options command: opens the dialog beside the note window, modally, and repaints the
// window after it closes.
void RunOptionsDialog(TOptionsHost& host, qtui::TDialogService& dialogs);

}  // namespace dialogs
