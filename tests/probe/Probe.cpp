// A stand-in for a helper program, for the tests of the runner and the stores. It takes the path
// of a parameter file as its one argument, as a helper does, and follows the instructions in
// "probe-<program name>.txt" of the working folder the parameter file names (or, when the file
// cannot be read, of the parameter file's own folder):
//   record          write "probe-seen.txt" (command line and current folder) and keep a copy of
//                   the parameter file as "probe-params.dat"
//   copy=<path>     copy that file to the data file
//   error=<text>    add an error to the error file
//   running=<n>     write Running=<n> into the status INI file given by statusini=
//   statusini=<f>   the status INI file name
//   sleep=<ms>      sleep that long
//   exit=<code>     end with that exit code
// Each run also appends one line to "probe-runs.txt", so that tests can count the runs.
#include "common/lotus/CxLNParamParser.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ProgramName() {
    char szModule[MAX_PATH];
    GetModuleFileNameA(nullptr, szModule, MAX_PATH);
    std::string name = szModule;
    size_t slash = name.find_last_of('\\');
    if (slash != std::string::npos)
        name = name.substr(slash + 1);
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string Unquoted(const char* szArg) {
    std::string arg = szArg;
    if (arg.size() >= 2 && arg.front() == '"' && arg.back() == '"')
        arg = arg.substr(1, arg.size() - 2);
    return arg;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 90;
    std::string paramPath = Unquoted(argv[1]);
    CxLNParamParser params;
    bool bParams = params.LoadFromFile(paramPath.c_str());
    std::string work = bParams ? params.GetText(kParamWorkFolder) : FolderOf(paramPath);
    if (work.empty())
        work = FolderOf(paramPath);

    {
        std::ofstream runs(work + "probe-runs.txt", std::ios::app);
        runs << ProgramName() << " " << params.GetText(kParamOperation) << "\n";
    }

    std::ifstream script(work + "probe-" + ProgramName() + ".txt");
    std::string line, statusIni;
    int nExit = 0;
    while (std::getline(script, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        size_t eq = line.find('=');
        std::string key = line.substr(0, eq);
        std::string value = eq == std::string::npos ? std::string() : line.substr(eq + 1);
        if (key == "record") {
            char szCurrent[MAX_PATH] = "";
            GetCurrentDirectoryA(MAX_PATH, szCurrent);
            std::ofstream seen(work + "probe-seen.txt", std::ios::binary);
            seen << GetCommandLineA() << "\n" << szCurrent << "\n";
            CopyFileA(paramPath.c_str(), (work + "probe-params.dat").c_str(), FALSE);
        } else if (key == "copy") {
            std::string data = work + params.GetText(kParamDataFile);
            CopyFileA(value.c_str(), data.c_str(), FALSE);
        } else if (key == "error") {
            std::string errorFile = work + params.GetText(kParamErrorFile);
            int n = (int)GetPrivateProfileIntA("Error", "Error.Count", 0, errorFile.c_str()) + 1;
            char szKey[32], szCount[16];
            snprintf(szKey, sizeof szKey, "Error.%d", n);
            snprintf(szCount, sizeof szCount, "%d", n);
            WritePrivateProfileStringA("Error", szKey, value.c_str(), errorFile.c_str());
            WritePrivateProfileStringA("Error", "Error.Count", szCount, errorFile.c_str());
        } else if (key == "statusini") {
            statusIni = work + value;
        } else if (key == "running" && !statusIni.empty()) {
            WritePrivateProfileStringA("Status", "Running", value.c_str(), statusIni.c_str());
        } else if (key == "sleep") {
            Sleep((DWORD)atoi(value.c_str()));
        } else if (key == "exit") {
            nExit = atoi(value.c_str());
        }
    }
    return nExit;
}
