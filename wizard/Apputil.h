// Settings file, working folder and the other application-wide helpers of the wizard.
#pragma once

#include "AppSettings.h"

#include <cstddef>

class CxIniUtil;

// The working folder: the all-users application data folder, "\pellora\", "Mirrowick" and
// "\", made when missing. False when the buffer is missing or a step fails.
bool GetWorkFolder(char* szBuf, size_t nSize = 260);

// The accessor of the settings file, for the whole run: "pellora.ini" in the program's folder
// until start-up points it at the working folder.
CxIniUtil& SettingsIni();

// Fills the record from the file, key by key with the defaults of the missing ones.
void LoadSettings(CxIniUtil& ini, AppSettings& s);
// Writes every key of the record to the file.
void SaveSettings(CxIniUtil& ini, const AppSettings& s);

// The number of keys in the settings file and their names in the order SaveSettings writes
// them.
extern const int kSettingsKeyCount;
const char* SettingsKeyName(int nIndex);

extern const char kSettingsSection[]; // "Mirrowick"
