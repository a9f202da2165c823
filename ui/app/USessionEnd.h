// Logging out of the desktop with unsaved work: when the session manager lets
// the program speak, it asks as every other way of ending does, and Cancel,
// or a save that did not happen, cancels the logout. The end itself comes
// afterwards as a quit request (UApplication.cpp).
#pragma once

class QGuiApplication;
class TMainForm;

// Answers every logout of the desktop session for the window.
void InstallSessionEnd(QGuiApplication& application, TMainForm& form);
