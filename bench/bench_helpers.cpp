// The contacts helper program on a vCard file of 100,000 contacts: the load run (the helper
// reads the file and writes the exchange file), the store's reading of that file, and the apply
// run that deletes 10% of the contacts. Prints the times; lies next to the helper programs.
#include "common/lotus/CxLNAddr.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {
double Seconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
} // namespace

int main(int argc, char** argv) {
    const int kContacts = argc > 1 ? atoi(argv[1]) : 100000;
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    std::string work = std::string(szTemp) + "mw-bench-helpers\\";
    CreateDirectoryA(work.c_str(), nullptr);
    std::string db = work + "names.vcf";
    {
        FILE* f = fopen(db.c_str(), "wb");
        for (int i = 0; i < kContacts; ++i) {
            fprintf(f,
                    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Person%d;Anna;M;;\r\nFN:Anna M Person%d\r\n"
                    "ORG:Company %d;Sales\r\nTITLE:Account manager\r\n"
                    "EMAIL;TYPE=INTERNET,WORK:anna.person%d@company%d.example\r\n"
                    "TEL;TYPE=WORK,VOICE:+1 555 %07d\r\nTEL;TYPE=CELL:+1 555 %07d\r\n"
                    "ADR;TYPE=WORK:;;%d Main Street;Springfield;IL;62701;USA\r\n"
                    "NOTE:Met at the trade fair\\, interested in the new catalogue.\r\n"
                    "END:VCARD\r\n",
                    i, i, i % 500, i, i % 500, i, i + 1, i % 900 + 1);
        }
        fclose(f);
    }
    WIN32_FILE_ATTRIBUTE_DATA fa;
    GetFileAttributesExA(db.c_str(), GetFileExInfoStandard, &fa);
    printf("vCard file: %d contacts, %.1f MB\n", kContacts, fa.nFileSizeLow / (1024.0 * 1024.0));

    CxLNAddrUtil store;
    store.SetWorkFolder(work.c_str());
    store.SetLogFolder(work.c_str());
    store.SetAddrFile(db.c_str());
    auto start = std::chrono::steady_clock::now();
    bool bLoaded = store.Load();
    double load = Seconds(start);
    if (!bLoaded || (int)store.GetRecordIndex()->Count() != kContacts) {
        printf("load failed: %s\n", store.LastHelperError());
        return 1;
    }
    // The helper's part alone: the same run once more, without the store's reading afterwards.
    start = std::chrono::steady_clock::now();
    store.ReadDataFile();
    double read = Seconds(start);
    store.Clear();
    store.Load();

    int nMarked = 0, i = 0;
    for (auto* e = store.GetRecordIndex()->First(); e != nullptr;
         e = store.GetRecordIndex()->Next(), ++i) {
        if (i % 10 == 3) {
            store.MarkForDeletion(e);
            ++nMarked;
        }
    }
    start = std::chrono::steady_clock::now();
    bool bApplied = store.Submit();
    double apply = Seconds(start);
    if (!bApplied || store.HelperFailed()) {
        printf("apply failed: %s\n", store.LastHelperError());
        return 1;
    }
    printf("load run (helper writes the exchange file, store reads it): %.2f s\n", load);
    printf("  of which the store's reading of the exchange file:        %.2f s\n", read);
    printf("apply run (store writes the file, helper deletes %d):   %.2f s\n", nMarked, apply);
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((work + "*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            DeleteFileA((work + fd.cFileName).c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(work.c_str());
    return 0;
}
