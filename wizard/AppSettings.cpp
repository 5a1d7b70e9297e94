#include "AppSettings.h"
#include "LoadedData.h"

#include <cstdio>
#include <cstring>

AppSettings& Settings() {
    static AppSettings s_Settings{};
    return s_Settings;
}

LoadedData& Loaded() {
    static LoadedData s_Loaded;
    return s_Loaded;
}

void ClearSettings(AppSettings& s) {
    memset(&s, 0, sizeof s);
}

void CopySettingText(char* szField, unsigned nCapacity, const char* szText) {
    if (szField == nullptr || nCapacity == 0)
        return;
    snprintf(szField, nCapacity, "%s", szText != nullptr ? szText : "");
}
