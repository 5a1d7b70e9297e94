// The helper programs: "Pellora.NotesAddr.exe", "Pellora.NotesDate.exe", "Pellora.NotesTask.exe"
// and "Pellora.NotesNote.exe", one source built four times (HELPER_KIND names the kind). The one
// argument is the full path of the parameter file. Exit code 0 when the work was done, 1 when it
// failed (the error file says why), 2 when the parameter file could not be used.
#include "HelperDatabase.h"
#include "HelperSession.h"

#include "common/misc/CxDebugUtil.h"

#include <windows.h>

#include <new>
#include <stdexcept>
#include <string>

namespace {

const char* KindWord(LNKind kind) {
    switch (kind) {
    case LNKind::kAddr:
        return "contacts";
    case LNKind::kDate:
        return "calendar";
    case LNKind::kTask:
        return "tasks";
    case LNKind::kNote:
        return "notebook";
    }
    return "";
}

std::string Unquoted(const char* szArg) {
    std::string arg = szArg != nullptr ? szArg : "";
    if (arg.size() >= 2 && arg.front() == '"' && arg.back() == '"')
        arg = arg.substr(1, arg.size() - 2);
    return arg;
}

// When the parameter file itself cannot be used there is no session: the error still goes to
// an error file when the file names one in an existing folder.
void ReportWithoutSession(LNKind kind, const HelperParams& params, const std::string& error) {
    CXLOG(0, "%s", error.c_str());
    if (params.ErrorFile.empty() || params.ErrorFile.find_first_of("\\/:") != std::string::npos)
        return;
    std::string folder = params.WorkFolder;
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    if (GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES)
        return;
    std::string path = folder + params.ErrorFile;
    WritePrivateProfileStringA("Error", "Error.1", error.c_str(), path.c_str());
    WritePrivateProfileStringA("Error", "Error.Count", "1", path.c_str());
    WritePrivateProfileStringA("Status", "Running", "0", (folder + StatusIniName(kind)).c_str());
}

int RunHelper(LNKind kind, const std::string& paramPath) {
    HelperParams params;
    std::string error;
    if (!ReadHelperParams(kind, paramPath.c_str(), params, error)) {
        ReportWithoutSession(kind, params, error);
        return 2;
    }
    HelperSession session(kind, params);
    CXLOG(2, "The %s helper starts: operation %d on \"%s\".", KindWord(kind), params.Operation,
          params.Database.c_str());
    if (params.Database.empty()) {
        session.Error("No %s database was given; choose the database file on the first page of "
                      "the wizard.",
                      KindWord(kind));
        return 1;
    }
    if (params.Database.find("!!") != std::string::npos) {
        session.Error("The database \"%s\" is on a Domino server. This helper program works on "
                      "vCard and iCalendar files only: export the %s from Lotus Notes to a file "
                      "and choose that file as a local database.",
                      params.Database.c_str(), KindWord(kind));
        return 1;
    }
    bool bDone = false;
    try {
        bDone = params.Operation == 1 ? ExportDatabase(kind, session)
                                      : ApplyExchangeFile(kind, session);
    } catch (const std::bad_alloc&) {
        session.Error("There was not enough memory to finish the work; nothing was changed.");
    } catch (const std::exception& e) {
        session.Error("The helper program failed (%s); nothing was changed.", e.what());
    }
    CXLOG(2, "The %s helper ends %s.", KindWord(kind), bDone ? "successfully" : "with errors");
    return bDone ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    try {
        return RunHelper(HELPER_KIND, Unquoted(argv[1]));
    } catch (const std::exception& e) {
        CXLOG(0, "The helper program failed: %s", e.what());
        return 1;
    }
}
