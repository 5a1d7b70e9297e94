// Reading and writing the contacts exchange file: 100,000 contacts with field lengths like those
// of a real address book, through the contact store's ReadDataFile and WriteDataFile, beside a
// plain read of the same file. Prints records per second, MB per second and the peak memory.
#include "common/lotus/CxLNAddr.h"
#include "common/lotus/LNExchange.h"

#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

double Seconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string Word(std::mt19937& rng, int minLen, int maxLen) {
    std::uniform_int_distribution<int> len(minLen, maxLen), letter(0, 25);
    std::string s(1, (char)('A' + letter(rng)));
    for (int i = len(rng) - 1; i > 0; --i)
        s.push_back((char)('a' + letter(rng)));
    return s;
}

template <size_t N> void Put(CxText<N>& field, const std::string& s) { field = s.c_str(); }

void MakeFile(const std::string& path, int nContacts) {
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> pct(0, 99), digit(0, 9);
    auto phone = [&] {
        std::string s = "+1 555 ";
        for (int i = 0; i < 7; ++i)
            s.push_back((char)('0' + digit(rng)));
        return s;
    };
    CxFile f;
    f.Open(path.c_str(), "wb");
    f.WriteUInt32((uint32_t)nContacts);
    LNAddrRecord* r = new LNAddrRecord();
    for (int i = 0; i < nContacts; ++i) {
        *r = LNAddrRecord();
        std::string first = Word(rng, 3, 9), last = Word(rng, 4, 11);
        Put(r->ID, "vcf:" + std::to_string(i) + "-0123456789abcdef0123456789abcdef-0");
        r->Tag = i;
        Put(r->FirstName, first);
        Put(r->LastName, last);
        if (pct(rng) < 20)
            Put(r->MiddleName, Word(rng, 1, 1));
        Put(r->DisplayName, first + " " + last);
        if (pct(rng) < 60) {
            Put(r->CompanyName, Word(rng, 4, 14) + " Ltd");
            Put(r->JobTitle, Word(rng, 5, 12) + " " + Word(rng, 5, 10));
            Put(r->BusinessEmail, first + "." + last + "@" + Word(rng, 4, 10) + ".example");
            Put(r->BusinessPhone, phone());
            Put(r->BusinessStreet,
                std::to_string(digit(rng) * 97 + 1) + " " + Word(rng, 5, 12) + " Street");
            Put(r->BusinessCity, Word(rng, 4, 12));
            Put(r->BusinessPostal, "1" + std::to_string(digit(rng)) + "345");
            Put(r->BusinessCountry, "USA");
        }
        if (pct(rng) < 50)
            Put(r->PersonalEmail, first + last + "@mail.example");
        Put(r->PrimaryPhone, phone());
        if (pct(rng) < 40)
            Put(r->MobilePhone, phone());
        if (pct(rng) < 30) {
            Put(r->HomeStreet,
                std::to_string(digit(rng) * 13 + 2) + " " + Word(rng, 5, 10) + " Road");
            Put(r->HomeCity, Word(rng, 4, 12));
        }
        if (pct(rng) < 30) {
            std::string note;
            while (note.size() < 80)
                note += Word(rng, 2, 9) + " ";
            Put(r->Note, note);
        }
        if (pct(rng) < 20)
            Put(r->Category, "Business");
        if (pct(rng) < 10)
            r->BirthDate = 25000 + pct(rng) * 100;
        WriteRecordItems(f, r, LayoutOf<LNAddrRecord>());
    }
    delete r;
    f.Close();
}

} // namespace

int main() {
    const int kContacts = 100000;
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    std::string work = std::string(szTemp) + "mw-bench-exchange\\";
    CreateDirectoryA(work.c_str(), nullptr);
    std::string path = work + "\\LNAddr.dat";
    MakeFile(path, kContacts);
    double mb = (double)CxFile::GetFileSize(path.c_str()) / (1024.0 * 1024.0);
    printf("exchange file: %d contacts, %.1f MB\n", kContacts, mb);

    // A plain read of the whole file, for comparison.
    auto start = std::chrono::steady_clock::now();
    {
        FILE* f = fopen(path.c_str(), "rb");
        std::vector<char> buf(1 << 20);
        size_t total = 0, n;
        while ((n = fread(buf.data(), 1, buf.size(), f)) > 0)
            total += n;
        fclose(f);
        if (total == 0)
            return 1;
    }
    double plain = Seconds(start);

    CxLNAddrUtil store;
    store.SetWorkFolder(work.c_str());
    start = std::chrono::steady_clock::now();
    bool bRead = store.ReadDataFile();
    double read = Seconds(start);
    if (!bRead || store.GetRecordIndex()->Count() != (uint32_t)kContacts) {
        printf("reading failed\n");
        return 1;
    }
    start = std::chrono::steady_clock::now();
    bool bWritten = store.WriteDataFile("LNAddrCopy.dat");
    double write = Seconds(start);
    if (!bWritten)
        return 1;

    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    printf("plain read:    %7.3f s  %8.1f MB/s\n", plain, mb / plain);
    printf("ReadDataFile:  %7.3f s  %8.1f MB/s  %9.0f records/s\n", read, mb / read,
           kContacts / read);
    printf("WriteDataFile: %7.3f s  %8.1f MB/s  %9.0f records/s\n", write, mb / write,
           kContacts / write);
    printf("peak working set: %.0f MB, peak commit: %.0f MB (a contact record holds %u bytes)\n",
           pmc.PeakWorkingSetSize / (1024.0 * 1024.0), pmc.PeakPagefileUsage / (1024.0 * 1024.0),
           (unsigned)sizeof(LNAddrRecord));
    store.Clear();
    DeleteFileA(path.c_str());
    DeleteFileA((work + "\\LNAddrCopy.dat").c_str());
    RemoveDirectoryA(work.c_str());
    return 0;
}
