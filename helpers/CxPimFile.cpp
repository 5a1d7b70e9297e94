#include "CxPimFile.h"

#include "common/misc/CxParallel.h"

#include "CxSha256.h"

#include <algorithm>
#include <map>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace {

bool IsBlank(const std::string& text) {
    for (char c : text) {
        if (c != ' ' && c != '\t')
            return false;
    }
    return true;
}

std::string TrimmedUpper(const std::string& text) {
    return ToUpperAscii(TrimBlanks(text));
}

bool EntryKindOf(const std::string& component, CxPimFormat format, CxEntryKind* pKind) {
    if (format == CxPimFormat::VCard) {
        if (component != "VCARD")
            return false;
        *pKind = CxEntryKind::Card;
        return true;
    }
    if (component == "VEVENT")
        *pKind = CxEntryKind::Event;
    else if (component == "VTODO")
        *pKind = CxEntryKind::Todo;
    else if (component == "VJOURNAL")
        *pKind = CxEntryKind::Journal;
    else
        return false;
    return true;
}

std::string Describe(CxEntryKind kind) {
    switch (kind) {
    case CxEntryKind::Card:
        return "vCard";
    case CxEntryKind::Event:
        return "calendar entry (VEVENT)";
    case CxEntryKind::Todo:
        return "task (VTODO)";
    case CxEntryKind::Journal:
        return "journal entry (VJOURNAL)";
    }
    return "entry";
}

std::string LineText(uint32_t n) {
    return "line " + std::to_string(n);
}

} // namespace

const char* EntryComponentName(CxEntryKind kind) {
    switch (kind) {
    case CxEntryKind::Card:
        return "VCARD";
    case CxEntryKind::Event:
        return "VEVENT";
    case CxEntryKind::Todo:
        return "VTODO";
    case CxEntryKind::Journal:
        return "VJOURNAL";
    }
    return "";
}

std::string CxPimProblem::Describe() const {
    return "Line " + std::to_string(nLine) + ": " + text;
}

void CxPimFile::AddProblem(uint32_t nLine, std::string text) {
    if (m_Problems.size() >= kMaxProblems) {
        ++m_nProblemsLeftOut;
        return;
    }
    CxPimProblem p;
    p.nLine = nLine;
    p.text = std::move(text);
    m_Problems.push_back(std::move(p));
}

// One walk over the content lines with a stack of the open components; every line is looked
// at once.
class CxPimStructureReader {
public:
    explicit CxPimStructureReader(CxPimFile& file) : m_File(file) {}

    void Run() {
        const std::vector<CxContentLine>& lines = m_File.m_Lines;
        for (size_t i = 0; i < lines.size(); ++i)
            Line(i);
        FlushStray();
        while (!m_Stack.empty())
            CloseUnterminated(m_Stack.size() - 1, 0);
    }

    bool SawWrapper() const { return m_bSawWrapper; }

private:
    void Push(const std::string& component, size_t index) {
        m_OpenAt[component].push_back(m_Stack.size());
        m_Stack.push_back({component, index});
    }

    void PopTo(size_t nDepth) {
        while (m_Stack.size() > nDepth) {
            m_OpenAt[m_Stack.back().component].pop_back();
            m_Stack.pop_back();
        }
    }

    long OpenDepth(const std::string& component) const {
        auto it = m_OpenAt.find(component);
        return it == m_OpenAt.end() || it->second.empty() ? -1 : (long)it->second.back();
    }

    struct Open {
        std::string component;
        size_t nLineIndex;
    };

    CxPimFile& m_File;
    std::vector<Open> m_Stack;
    // For each component name, the depths at which it is open, innermost last: an END finds
    // what it closes without a walk down the stack.
    std::unordered_map<std::string, std::vector<size_t>> m_OpenAt;
    bool m_bSawWrapper = false;
    // The entry being read: its depth in the stack (-1: none), and the first damage found in it.
    long m_nEntryDepth = -1;
    CxPimEntry m_Entry;
    bool m_bDamaged = false;
    std::string m_Damage;
    uint32_t m_nDamageLine = 0;
    bool m_bAfterEmptyAgent = false; // the entry's last own line was "AGENT:" (vCard 2.1)
    // A run of lines outside every component, reported as one problem.
    uint32_t m_nStrayFirst = 0, m_nStrayLast = 0;

    const char* Wrapper() const {
        return m_File.m_Format == CxPimFormat::VCard ? "VCARD" : "VCALENDAR";
    }
    const char* WrapperText() const {
        return m_File.m_Format == CxPimFormat::VCard
                   ? "vCard (BEGIN:VCARD ... END:VCARD)"
                   : "calendar (BEGIN:VCALENDAR ... END:VCALENDAR)";
    }
    uint32_t LineNo(size_t index) const { return m_File.m_Lines[index].nLine; }
    bool InEntry() const { return m_nEntryDepth >= 0; }
    bool ForeignTop() const { return !m_Stack.empty() && m_Stack[0].component != Wrapper(); }

    void Stray(uint32_t nLine) {
        if (m_nStrayFirst == 0)
            m_nStrayFirst = nLine;
        m_nStrayLast = nLine;
    }

    void FlushStray() {
        if (m_nStrayFirst == 0)
            return;
        std::string text = m_nStrayFirst == m_nStrayLast
                               ? "This line is not inside any " + std::string(WrapperText()) +
                                     "; it is kept in the file as it is."
                               : "Lines " + std::to_string(m_nStrayFirst) + " to " +
                                     std::to_string(m_nStrayLast) + " are not inside any " +
                                     WrapperText() + "; they are kept in the file as they are.";
        m_File.AddProblem(m_nStrayFirst, text);
        m_nStrayFirst = m_nStrayLast = 0;
    }

    void Damage(uint32_t nLine, const std::string& what) {
        if (m_bDamaged)
            return;
        m_bDamaged = true;
        m_nDamageLine = nLine;
        m_Damage = what;
    }

    std::string EntryLost() const {
        return ", so the " + Describe(m_Entry.kind) + " that begins on line " +
               std::to_string(m_Entry.nLine) +
               " was not read; it stays in the file unchanged and is not offered for removal.";
    }

    void StartEntry(CxEntryKind kind, size_t index) {
        m_nEntryDepth = (long)m_Stack.size() - 1;
        m_Entry = CxPimEntry();
        m_Entry.kind = kind;
        m_Entry.nFirstLine = index;
        m_Entry.nStart = m_File.m_Lines[index].nStart;
        m_Entry.nLine = LineNo(index);
        m_bDamaged = false;
        m_bAfterEmptyAgent = false;
    }

    void DropEntry() {
        if (m_bDamaged)
            m_File.AddProblem(m_nDamageLine, m_Damage + EntryLost());
        m_nEntryDepth = -1;
    }

    // The open component at stack depth k has no END; its lines up to nBefore (an index; 0 for
    // the end of the file) stay as they are. Pops it and everything above it.
    void CloseUnterminated(size_t k, size_t nBeforeIndex) {
        const Open& open = m_Stack[k];
        std::string until = nBeforeIndex == 0 ? std::string(" line")
                                              : " line before " + LineText(LineNo(nBeforeIndex));
        std::string missing = "END:" + open.component;
        if (InEntry() && (long)k > m_nEntryDepth) {
            Damage(LineNo(open.nLineIndex), "The " + open.component + " component that begins on " +
                                                LineText(LineNo(open.nLineIndex)) + " has no " +
                                                missing + until);
        } else if (InEntry() && (long)k == m_nEntryDepth) {
            m_File.AddProblem(m_Entry.nLine, "The " + Describe(m_Entry.kind) + " that begins on " +
                                                 LineText(m_Entry.nLine) + " has no " + missing +
                                                 until +
                                                 ", so it was not read; its lines stay in the file "
                                                 "unchanged and it is not offered for removal.");
            m_bDamaged = false; // the missing END says it all
            DropEntry();
        } else if (k == 0 && ForeignTop()) {
            m_File.AddProblem(LineNo(open.nLineIndex),
                              "A " + open.component + " component begins here, which is not a " +
                                  (m_File.m_Format == CxPimFormat::VCard ? "vCard" : "calendar") +
                                  ", and it has no " + missing + until +
                                  "; its lines are kept in the file as they are.");
        } else {
            std::string text = "The " + open.component + " component that begins on " +
                               LineText(LineNo(open.nLineIndex)) + " has no " + missing + until;
            text += open.component == "VCALENDAR"
                        ? "; the entries in it that are complete were read."
                        : "; its lines are kept in the file as they are.";
            m_File.AddProblem(LineNo(open.nLineIndex), text);
        }
        PopTo(k);
    }

    void Line(size_t index) {
        const CxContentLine& line = m_File.m_Lines[index];
        if (IsBlank(line.text))
            return;
        std::string name, value;
        if (!PropertyNameAndValue(line.text, &name, &value)) {
            NotAProperty(line.nLine);
            return;
        }
        if (name == "BEGIN")
            Begin(index, TrimmedUpper(value));
        else if (name == "END")
            End(index, TrimmedUpper(value));
        else
            Property(line, name, value);
    }

    void NotAProperty(uint32_t nLine) {
        if (m_Stack.empty()) {
            Stray(nLine);
        } else if (InEntry()) {
            Damage(nLine,
                   "Line " + std::to_string(nLine) + " is not a valid property line (NAME:value)");
            m_bAfterEmptyAgent = false;
        } else if (!ForeignTop()) {
            m_File.AddProblem(nLine, "This line is not a valid property line (NAME:value); it is "
                                     "kept in the file as it is.");
        }
    }

    void Property(const CxContentLine& line, const std::string& name, const std::string& value) {
        if (m_Stack.empty()) {
            Stray(line.nLine);
            return;
        }
        if (!InEntry() || (long)m_Stack.size() != m_nEntryDepth + 1)
            return;
        m_bAfterEmptyAgent = name == "AGENT" && IsBlank(value);
        if (m_Entry.kind == CxEntryKind::Card)
            return;
        if (name == "UID" && m_Entry.uid.empty()) {
            m_Entry.uid = value;
        } else if (name == "RECURRENCE-ID" && m_Entry.recurrenceId.empty()) {
            // The parameters count as well (a TZID makes another moment of the same digits).
            m_Entry.recurrenceId = line.text.substr(line.text.find_first_of(";:"));
        }
    }

    void Begin(size_t index, const std::string& component) {
        for (;;) {
            if (m_Stack.empty()) {
                FlushStray();
                Push(component, index);
                CxEntryKind kind = CxEntryKind::Card;
                if (component == Wrapper()) {
                    m_bSawWrapper = true;
                    if (EntryKindOf(component, m_File.m_Format, &kind))
                        StartEntry(kind, index);
                }
                return;
            }
            CxEntryKind kind = CxEntryKind::Card;
            bool bEntryKind = EntryKindOf(component, m_File.m_Format, &kind);
            if (InEntry()) {
                bool bNested = m_File.m_Format == CxPimFormat::VCard && m_bAfterEmptyAgent &&
                               (long)m_Stack.size() == m_nEntryDepth + 1;
                if ((bEntryKind || component == Wrapper()) && !bNested) {
                    // A new entry begins before this one ended.
                    CloseUnterminated((size_t)m_nEntryDepth, index);
                    continue;
                }
                m_bAfterEmptyAgent = false;
                Push(component, index);
                return;
            }
            if (ForeignTop()) {
                if (component == Wrapper() || bEntryKind) {
                    CloseUnterminated(0, index);
                    continue;
                }
                Push(component, index);
                return;
            }
            // Inside a VCALENDAR, outside every entry.
            if (component == "VCALENDAR") {
                CloseUnterminated(0, index);
                continue;
            }
            // Only a component directly inside the calendar is an entry; one nested deeper (in
            // an X- component) stays that component's.
            Push(component, index);
            if (bEntryKind && m_Stack.size() == 2)
                StartEntry(kind, index);
            return;
        }
    }

    void End(size_t index, const std::string& component) {
        uint32_t nLine = LineNo(index);
        long j = OpenDepth(component);
        if (j < 0) {
            if (m_Stack.empty())
                Stray(nLine);
            else if (InEntry())
                Damage(nLine, "Line " + std::to_string(nLine) + " (END:" + component +
                                  ") closes nothing that was opened");
            else if (!ForeignTop())
                m_File.AddProblem(nLine, "This line (END:" + component +
                                             ") closes nothing that was opened; it is kept in the "
                                             "file as it is.");
            return;
        }
        while ((long)m_Stack.size() - 1 > j)
            CloseUnterminated(m_Stack.size() - 1, index);
        if (InEntry() && j == m_nEntryDepth) {
            m_Entry.nLastLine = index;
            m_Entry.nEnd = m_File.m_Lines[index].nEnd;
            if (m_bDamaged)
                DropEntry();
            else {
                m_File.m_Entries.push_back(std::move(m_Entry));
                m_nEntryDepth = -1;
            }
        } else if (j == 0 && ForeignTop()) {
            uint32_t nFirst = LineNo(m_Stack[0].nLineIndex);
            m_File.AddProblem(nFirst,
                              "Lines " + std::to_string(nFirst) + " to " + std::to_string(nLine) +
                                  " hold a " + component + " component, which is not a " +
                                  (m_File.m_Format == CxPimFormat::VCard ? "vCard" : "calendar") +
                                  "; they are kept in the file as they are.");
        }
        PopTo((size_t)j);
        m_bAfterEmptyAgent = false;
    }
};

void CxPimFile::Parse(std::string bytes, CxPimFormat format) {
    m_Format = format;
    m_Bytes = std::move(bytes);
    m_Entries.clear();
    m_Problems.clear();
    m_nProblemsLeftOut = 0;
    m_Lines = SplitContentLines(m_Bytes.data(), m_Bytes.size());

    CxPimStructureReader reader(*this);
    reader.Run();

    bool bContent = false;
    for (const CxContentLine& line : m_Lines) {
        if (!IsBlank(line.text)) {
            bContent = true;
            break;
        }
    }
    if (bContent && !reader.SawWrapper()) {
        // Not a file of this format at all: one problem says it better than one per line.
        m_Problems.clear();
        m_nProblemsLeftOut = 0;
        unsigned char b0 = m_Bytes.size() >= 2 ? (unsigned char)m_Bytes[0] : 0;
        unsigned char b1 = m_Bytes.size() >= 2 ? (unsigned char)m_Bytes[1] : 0;
        bool bUtf16 = (b0 == 0xFF && b1 == 0xFE) || (b0 == 0xFE && b1 == 0xFF);
        std::string text;
        if (bUtf16)
            text = "This file is written in UTF-16, which cannot be read. Save or export it "
                   "as UTF-8 and try again; the file is left as it is.";
        else if (format == CxPimFormat::VCard)
            text = "This is not a vCard file: it has no BEGIN:VCARD line. Nothing was read from "
                   "it, and it is left as it is.";
        else
            text = "This is not an iCalendar file: it has no BEGIN:VCALENDAR line. Nothing was "
                   "read from it, and it is left as it is.";
        AddProblem(1, text);
    }

    // Overrides whose repeating entry is in the file go with it.
    std::map<std::pair<CxEntryKind, std::string>, bool> masters;
    for (const CxPimEntry& e : m_Entries) {
        if (!e.uid.empty() && e.recurrenceId.empty())
            masters[{e.kind, e.uid}] = true;
    }
    for (CxPimEntry& e : m_Entries) {
        if (!e.recurrenceId.empty() && masters.count({e.kind, e.uid}) != 0)
            e.bExported = false;
    }

    // The digests take most of the reading time of a large file: they are made on every core.
    ParallelRanges(m_Entries.size(), 2000, [this](size_t nBegin, size_t nEnd) {
        for (size_t i = nBegin; i < nEnd; ++i) {
            CxPimEntry& e = m_Entries[i];
            e.digest = CxSha256::HexDigest(m_Bytes.data() + e.nStart, e.nEnd - e.nStart);
        }
    });
    std::unordered_map<std::string, int> copies;
    for (CxPimEntry& e : m_Entries) {
        int n = ++copies[e.digest];
        e.id = e.digest.substr(0, 32) + "-" + std::to_string(n);
    }

    if (m_nProblemsLeftOut > 0) {
        CxPimProblem p;
        p.nLine = m_Problems.back().nLine;
        p.text = std::to_string(m_nProblemsLeftOut) + " further problems are not listed.";
        m_Problems.push_back(std::move(p));
    }
}

std::vector<const CxPimEntry*> CxPimFile::ExportedEntries(CxEntryKind kind) const {
    std::vector<const CxPimEntry*> out;
    for (const CxPimEntry& e : m_Entries) {
        if (e.kind == kind && e.bExported)
            out.push_back(&e);
    }
    return out;
}

std::vector<CxProperty> CxPimFile::EntryProperties(const CxPimEntry& entry) const {
    std::vector<CxProperty> props;
    int nDepth = 0;
    for (size_t i = entry.nFirstLine + 1; i < entry.nLastLine && i < m_Lines.size(); ++i) {
        CxProperty p;
        if (!p.Parse(m_Lines[i].text))
            continue;
        if (p.Name() == "BEGIN")
            ++nDepth;
        else if (p.Name() == "END")
            --nDepth;
        else if (nDepth == 0)
            props.push_back(std::move(p));
    }
    return props;
}

CxRemoval RemoveEntries(const CxPimFile& file, CxEntryKind kind,
                        const std::vector<std::string>& ids) {
    CxRemoval result;
    const std::vector<CxPimEntry>& entries = file.Entries();
    std::unordered_map<std::string, size_t> byId;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].kind == kind && entries[i].bExported)
            byId[entries[i].id] = i;
    }
    std::vector<bool> gone(entries.size(), false);
    std::unordered_set<std::string> unmatched;
    for (const std::string& id : ids) {
        auto it = byId.find(id);
        if (it == byId.end()) {
            if (unmatched.insert(id).second)
                result.unmatched.push_back(id);
            continue;
        }
        gone[it->second] = true;
    }

    // Repeating entries that go, and those that stay, by UID.
    std::map<std::string, int> removedMasters, keptMasters;
    for (size_t i = 0; i < entries.size(); ++i) {
        const CxPimEntry& e = entries[i];
        if (e.kind != kind || e.uid.empty() || !e.recurrenceId.empty())
            continue;
        ++(gone[i] ? removedMasters : keptMasters)[e.uid];
    }
    if (!removedMasters.empty()) {
        // Overrides of those UIDs, grouped by UID, occurrence and exact bytes, in file order.
        std::map<std::pair<std::string, std::string>, std::vector<size_t>> groups;
        for (size_t i = 0; i < entries.size(); ++i) {
            const CxPimEntry& e = entries[i];
            if (e.kind != kind || e.recurrenceId.empty() || e.bExported ||
                removedMasters.count(e.uid) == 0)
                continue;
            if (keptMasters.count(e.uid) == 0)
                gone[i] = true;
            else
                groups[{e.uid, e.recurrenceId + '\n' + e.digest}].push_back(i);
        }
        for (const auto& g : groups) {
            size_t nCopies = g.second.size();
            size_t nDrop = std::min((size_t)removedMasters[g.first.first], nCopies - 1);
            for (size_t k = 0; k < nDrop; ++k)
                gone[g.second[nCopies - 1 - k]] = true;
        }
    }

    const std::string& bytes = file.Bytes();
    size_t nKeptFrom = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!gone[i])
            continue;
        result.bytes.append(bytes, nKeptFrom, entries[i].nStart - nKeptFrom);
        nKeptFrom = entries[i].nEnd;
        result.removed.push_back(i);
    }
    result.bytes.append(bytes, nKeptFrom, std::string::npos);
    return result;
}
