// Keeps the captions of the common message boxes in the current language: the first
// client of MLSManager.
#pragma once

class TMLSManager;

class TMLSClient {
 public:
  // Sets ConfirmationCaption, InformationCaption and ErrorCaption from qsShared 8, 32
  // and 21; an empty entry gives the English word.
  void UpdateDialogCaptions(TMLSManager* sender);
};

// Registers the caption client with MLSManager, and unregisters and frees it.
void qsMLSDialogsStartUp();
void qsMLSDialogsShutDown();
