// Times the duplicate search on generated contacts with the default criteria, about 10% of them
// duplicates: FindDups on 100,000 contacts, and the pairwise scan on 5,000 and 10,000 (on
// 100,000 it would take minutes; its time is extrapolated from 10,000, since it grows with the
// square of the count). Usage: bench_finddups [contacts] [runs] [full]; with "full" the pairwise
// scan is also timed on all the contacts.
#include "wizard/AppSettings.h"
#include "wizard/DupMatch.h"
#include "wizard/LoadedData.h"
#include "wizard/PairwiseDupScan.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <string>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

namespace {

const char* const kFirst[] = {"Anna",  "Bernd",  "Clara",  "David", "Elena", "Felix", "Greta",
                              "Hanna", "Igor",   "Jonas",  "Karla", "Lukas", "Maria", "Nils",
                              "Olga",  "Paul",   "Quirin", "Rosa",  "Sven",  "Tina",  "Ulf",
                              "Vera",  "Walter", "Xenia",  "Yusuf", "Zoe"};
const char* const kLast[] = {"Adler",  "Becker", "Conrad", "Dietz", "Engel", "Fischer", "Graf",
                             "Huber",  "Jung",   "Keller", "Lang",  "Meier", "Neumann", "Otto",
                             "Peters", "Roth",   "Schulz", "Thiel", "Vogel", "Weber",   "Zimmer"};

template <size_t N> void Upper(CxText<N>& text) {
    std::string s = text.c_str();
    for (char& c : s)
        c = c >= 'a' && c <= 'z' ? (char)(c - 'a' + 'A') : c;
    text = s.c_str();
}

// Formats into a text field, cut to its capacity as every setter does.
template <size_t N> void Format(CxText<N>& text, const char* szFormat, ...) {
    char szBuf[N];
    va_list args;
    va_start(args, szFormat);
    vsnprintf(szBuf, sizeof szBuf, szFormat, args);
    va_end(args);
    text = szBuf;
}

// A store of n contacts: distinct people (names repeat, their e-mail addresses do not) and
// about one in ten a copy of an earlier contact, some with the names or the address in other
// letter case and with other phone numbers (which the default criteria ignore).
class ContactStore {
public:
    ContactStore(size_t n, uint64_t nSeed) {
        std::mt19937_64 rng(nSeed);
        std::vector<size_t> order;
        for (size_t i = 0; i < n; ++i) {
            auto p = std::make_unique<LNAddrRecord>();
            if (i > 0 && rng() % 10 == 0) {
                const LNAddrRecord& original = *m_records[rng() % m_records.size()];
                *p = original;
                if (rng() % 2 == 0)
                    Upper(p->LastName);
                if (rng() % 3 == 0)
                    Upper(p->BusinessEmail);
                Format(p->MobilePhone, "+49 171 %07u", (unsigned)(rng() % 10000000));
                ++m_nCopies;
            } else {
                const char* szFirst = kFirst[rng() % std::size(kFirst)];
                const char* szLast = kLast[rng() % std::size(kLast)];
                char cMiddle = (char)('A' + rng() % 26);
                Format(p->FirstName, "%s", szFirst);
                Format(p->MiddleName, "%c.", cMiddle);
                Format(p->LastName, "%s", szLast);
                Format(p->DisplayName, "%s %c. %s", szFirst, cMiddle, szLast);
                Format(p->BusinessEmail, "%s.%s.%zu@example.com", szFirst, szLast, i);
                Format(p->CompanyName, "Company %u", (unsigned)(rng() % 500));
                Format(p->PrimaryPhone, "+49 30 %07u", (unsigned)(rng() % 10000000));
                Format(p->Note, "Met at the fair in %u.", (unsigned)(2000 + rng() % 25));
            }
            p->Flags = 0;
            p->Entry = nullptr;
            m_records.push_back(std::move(p));
        }
        for (auto& p : m_records)
            p->Entry = m_index.Add(p.get());
    }

    CommAddrMgr m_index;
    CxList m_dups;
    size_t m_nCopies = 0;

private:
    std::vector<std::unique_ptr<LNAddrRecord>> m_records;
};

double Millis(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

void UseDefaultCriteria() {
    AppSettings& s = Settings();
    s.CaseSensitive = false;
    s.AddrDisplayName = s.AddrFirstName = s.AddrMiddleName = s.AddrLastName = true;
    s.AddrCompanyName = s.AddrDepartment = s.AddrTitle = false;
    s.AddrEmail = true;
    s.AddrPhone = s.AddrAddress = s.AddrIM = s.AddrWebSite = s.AddrNote = false;
}

// FindDups over the store, best and median of the runs, in milliseconds.
void TimeFindDups(ContactStore& store, int nRuns) {
    Loaded().pAddrIndex = &store.m_index;
    Loaded().pDupList[0] = &store.m_dups;
    std::vector<double> times;
    for (int i = 0; i < nRuns; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        bool bOk = FindDups(kAppAddr);
        times.push_back(Millis(std::chrono::steady_clock::now() - t0));
        if (!bOk)
            printf("FindDups failed\n");
    }
    std::sort(times.begin(), times.end());
    printf("  FindDups:      %u duplicates listed; best %.1f ms, median %.1f ms, worst %.1f ms "
           "(%d runs)\n",
           store.m_dups.Count(), times.front(), times[times.size() / 2], times.back(), nRuns);
    Loaded() = LoadedData{};
}

// The pairwise scan over the store, once; checks that it lists what FindDups lists.
double TimePairwise(ContactStore& store) {
    Loaded().pAddrIndex = &store.m_index;
    Loaded().pDupList[0] = &store.m_dups;
    FindDups(kAppAddr);
    std::vector<void*> fast;
    for (void* p = store.m_dups.First(); p != nullptr; p = store.m_dups.Next())
        fast.push_back(p);
    Loaded() = LoadedData{};

    auto t0 = std::chrono::steady_clock::now();
    PairwiseFindDups(&store.m_index, &store.m_dups, IsDupAddr);
    double ms = Millis(std::chrono::steady_clock::now() - t0);
    std::vector<void*> pairwise;
    for (void* p = store.m_dups.First(); p != nullptr; p = store.m_dups.Next())
        pairwise.push_back(p);
    const unsigned long long n = store.m_index.Count();
    printf("  pairwise scan: %zu duplicates listed; %.1f ms for %llu comparisons; same list as "
           "FindDups: %s\n",
           pairwise.size(), ms, n * (n - 1) / 2, pairwise == fast ? "yes" : "NO");
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    const size_t nContacts = argc > 1 ? (size_t)strtoul(argv[1], nullptr, 10) : 100000;
    const int nRuns = argc > 2 ? atoi(argv[2]) : 7;
    UseDefaultCriteria();
    printf("Contact record: %zu bytes; default criteria, case-insensitive\n", sizeof(LNAddrRecord));

    {
        auto t0 = std::chrono::steady_clock::now();
        ContactStore store(nContacts, 1);
        printf("%zu contacts, %zu of them copies (made in %.0f ms)\n", nContacts, store.m_nCopies,
               Millis(std::chrono::steady_clock::now() - t0));
        TimeFindDups(store, nRuns);
        if (argc > 3 && strcmp(argv[3], "full") == 0)
            TimePairwise(store);
    }

    double msSmall = 0, msLarge = 0;
    for (size_t n : {(size_t)5000, (size_t)10000}) {
        ContactStore store(n, 2);
        printf("%zu contacts, %zu of them copies\n", n, store.m_nCopies);
        TimeFindDups(store, nRuns);
        (n == 5000 ? msSmall : msLarge) = TimePairwise(store);
    }
    const double nFactor = (double)nContacts / 10000.0;
    printf("Pairwise scan, 10,000 against 5,000 contacts: %.2f times the time (4 = quadratic)\n",
           msLarge / msSmall);
    printf("Pairwise scan extrapolated to %zu contacts (quadratic from 10,000): about %.0f s\n",
           nContacts, msLarge * nFactor * nFactor / 1000.0);
    return 0;
}
