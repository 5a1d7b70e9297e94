// Reads, maps and applies a generated vCard file of many contacts and prints how long each step
// took. Usage: vcard_bench [contacts] (100000 by default).
#include "helpers/CxPimMap.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string Contacts(int nCount) {
    std::string out;
    out.reserve((size_t)nCount * 420);
    for (int i = 0; i < nCount; ++i) {
        std::string n = std::to_string(i % (nCount / 2 + 1)); // every contact twice
        out += "BEGIN:VCARD\r\nVERSION:3.0\r\n";
        out += "N:Family" + n + ";Given" + n + ";;;\r\n";
        out += "FN:Given" + n + " Family" + n + "\r\n";
        out += "ORG:Company " + n + ";Sales\r\n";
        out += "TITLE:Manager\r\n";
        out += "EMAIL;TYPE=INTERNET,WORK:given" + n + ".family@example.com\r\n";
        out += "EMAIL;TYPE=INTERNET,HOME:g" + n + "@mail.example.org\r\n";
        out += "TEL;TYPE=WORK,VOICE:+1 555 010 " + n + "\r\n";
        out += "TEL;TYPE=CELL:+1 555 020 " + n + "\r\n";
        out += "ADR;TYPE=WORK:;;" + n + " Main Street;Springfield;IL;62701;USA\r\n";
        out += "NOTE:A note that is long enough to be folded over more than one line of the\r\n"
               "  file\\, as writers do at 75 characters.\r\n";
        out += "CATEGORIES:Business,Customers\r\n";
        out += "BDAY:1980-03-22\r\n";
        out += "END:VCARD\r\n";
    }
    return out;
}

// Inputs shaped to make a careless reader slow: every figure should grow with the size only.
struct Hostile {
    const char* szName;
    std::string bytes;
};

std::vector<Hostile> HostileInputs(size_t nUnits) {
    std::vector<Hostile> out;
    std::string s;
    for (size_t i = 0; i < nUnits; ++i)
        s += "BEGIN:X\n";
    for (size_t i = 0; i < nUnits; ++i)
        s += "END:Y\n";
    out.push_back({"deep nesting and stray ENDs", "BEGIN:VCARD\n" + s + "END:VCARD\n"});
    s = "BEGIN:VCARD\nX;A=";
    for (size_t i = 0; i < nUnits; ++i)
        s += "a=\r\n ";
    out.push_back({"long folded parameters ending in =", s + ":v\r\nEND:VCARD\r\n"});
    s = "BEGIN:VCARD\nNOTE;QUOTED-PRINTABLE:";
    for (size_t i = 0; i < nUnits; ++i)
        s += "=41=\n";
    out.push_back({"quoted-printable soft breaks", s + "\nEND:VCARD\n"});
    s.clear();
    for (size_t i = 0; i < nUnits; ++i)
        s += "BEGIN:VCARD\n";
    out.push_back({"cards without END", s});
    s = "BEGIN:VCARD\n";
    for (size_t i = 0; i < nUnits; ++i)
        s += "TEL;TYPE=work:1\nEMAIL:a@b\n";
    out.push_back({"one card with many properties", s + "END:VCARD\n"});
    return out;
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

} // namespace

int main(int argc, char** argv) {
    int nCount = argc > 1 ? atoi(argv[1]) : 100000;
    if (nCount < 1)
        nCount = 1;
    std::string bytes = Contacts(nCount);
    double dMiB = (double)bytes.size() / (1024.0 * 1024.0);
    printf("%d contacts, %.1f MiB\n", nCount, dMiB);

    auto t = std::chrono::steady_clock::now();
    CxPimFile file;
    file.Parse(bytes, CxPimFormat::VCard);
    double dParse = Seconds(t);
    std::vector<const CxPimEntry*> entries = file.ExportedEntries(CxEntryKind::Card);
    printf("parse (lines, structure, identities): %.3f s, %.1f MiB/s, %zu entries, %zu problems\n",
           dParse, dMiB / dParse, entries.size(), file.Problems().size());

    t = std::chrono::steady_clock::now();
    std::unique_ptr<LNAddrRecord> record(new LNAddrRecord());
    size_t nNamed = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        MapCard(file, *entries[i], (int32_t)i, record.get());
        nNamed += record->DisplayName[0] != '\0';
    }
    double dMap = Seconds(t);
    printf("map to records: %.3f s, %.0f records/s (%zu with a display name)\n", dMap,
           (double)entries.size() / dMap, nNamed);

    t = std::chrono::steady_clock::now();
    std::vector<std::string> ids;
    for (size_t i = entries.size() / 2; i < entries.size(); ++i)
        ids.push_back(entries[i]->id);
    CxRemoval removal = RemoveEntries(file, CxEntryKind::Card, ids);
    double dApply = Seconds(t);
    printf("remove %zu entries: %.3f s, %.1f MiB left, %zu unmatched\n", removal.removed.size(),
           dApply, (double)removal.bytes.size() / (1024.0 * 1024.0), removal.unmatched.size());

    printf("hostile inputs (read, map, remove), 50000 and 200000 units:\n");
    std::vector<Hostile> small = HostileInputs(50000), large = HostileInputs(200000);
    for (size_t k = 0; k < small.size(); ++k) {
        double dTimes[2];
        const std::string* pInputs[2] = {&small[k].bytes, &large[k].bytes};
        for (int j = 0; j < 2; ++j) {
            t = std::chrono::steady_clock::now();
            CxPimFile hostile;
            hostile.Parse(*pInputs[j], CxPimFormat::VCard);
            std::vector<const CxPimEntry*> cards = hostile.ExportedEntries(CxEntryKind::Card);
            std::vector<std::string> all;
            for (size_t i = 0; i < cards.size(); ++i) {
                MapCard(hostile, *cards[i], (int32_t)i, record.get());
                all.push_back(cards[i]->id);
            }
            RemoveEntries(hostile, CxEntryKind::Card, all);
            dTimes[j] = Seconds(t);
        }
        printf("  %-36s %.3f s, %.3f s (x%.1f for x4 the size)\n", small[k].szName, dTimes[0],
               dTimes[1], dTimes[1] / (dTimes[0] > 0 ? dTimes[0] : 1e-9));
    }
    return 0;
}
