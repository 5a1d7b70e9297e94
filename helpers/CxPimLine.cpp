#include "CxPimLine.h"

#include <cstdlib>
#include <cstring>

namespace {

bool IsNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
}

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? (char)(c - 'a' + 'A') : c;
}

// Where the parameters of a line end: the first ":" outside double quotes, or npos.
size_t ValueColon(const std::string& line, size_t from) {
    bool bQuoted = false;
    for (size_t i = from; i < line.size(); ++i) {
        char c = line[i];
        if (c == '"')
            bQuoted = !bQuoted;
        else if (c == ':' && !bQuoted)
            return i;
    }
    return std::string::npos;
}

// Whether the parameters of a content line, which end at the colon, ask for QUOTED-PRINTABLE.
bool NamesQuotedPrintable(const std::string& text, size_t colon) {
    static const char kWord[] = "QUOTED-PRINTABLE";
    const size_t n = sizeof kWord - 1;
    for (size_t i = 0; i + n <= colon; ++i) {
        size_t k = 0;
        while (k < n && Upper(text[i + k]) == kWord[k])
            ++k;
        if (k == n)
            return true;
    }
    return false;
}

} // namespace

std::string TrimBlanks(const std::string& text) {
    size_t b = 0, e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t'))
        ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t'))
        --e;
    return text.substr(b, e - b);
}

bool EqualsNoCase(const std::string& a, const char* b) {
    size_t n = strlen(b);
    if (a.size() != n)
        return false;
    for (size_t i = 0; i < n; ++i) {
        if (Upper(a[i]) != Upper(b[i]))
            return false;
    }
    return true;
}

std::string ToUpperAscii(std::string text) {
    for (char& c : text)
        c = Upper(c);
    return text;
}

std::vector<CxContentLine> SplitContentLines(const char* pData, size_t nBytes) {
    std::vector<CxContentLine> lines;
    if (nBytes == 0)
        return lines;
    // One line per line feed, give or take: room for them all at once.
    size_t nLineFeeds = 0;
    const char* const pEnd = pData + nBytes;
    for (const char* p = pData; p < pEnd; ++nLineFeeds, ++p) {
        p = static_cast<const char*>(memchr(p, '\n', (size_t)(pEnd - p)));
        if (p == nullptr)
            break;
    }
    lines.reserve(nLineFeeds + 1);
    size_t pos = 0;
    if (nBytes >= 3 && memcmp(pData, "\xEF\xBB\xBF", 3) == 0)
        pos = 3;
    uint32_t nPhysical = 0;
    bool bSoftBreak = false;   // the line before ended in a quoted-printable soft break
    int nQuotedPrintable = -1; // of the current content line: -1 not yet known, 0 no, 1 yes
    // The search of the current content line for the colon that ends its parameters goes on
    // where it stopped, so that a line of many pieces is scanned once.
    size_t nScanned = 0;
    bool bInQuotes = false;
    while (pos < nBytes) {
        size_t eol = pos;
        while (eol < nBytes && pData[eol] != '\r' && pData[eol] != '\n')
            ++eol;
        size_t next = eol;
        if (next < nBytes)
            next += (pData[next] == '\r' && next + 1 < nBytes && pData[next + 1] == '\n') ? 2 : 1;
        ++nPhysical;

        bool bFold = !lines.empty() && eol > pos && (pData[pos] == ' ' || pData[pos] == '\t');
        if (!lines.empty() && bSoftBreak) {
            lines.back().text.append(pData + pos, eol - pos);
            lines.back().nEnd = next;
        } else if (bFold) {
            lines.back().text.append(pData + pos + 1, eol - pos - 1);
            lines.back().nEnd = next;
        } else {
            CxContentLine line;
            line.nStart = pos;
            line.nEnd = next;
            line.nLine = nPhysical;
            line.text.assign(pData + pos, eol - pos);
            lines.push_back(std::move(line));
            nQuotedPrintable = -1;
            nScanned = 0;
            bInQuotes = false;
        }

        bSoftBreak = false;
        std::string& text = lines.back().text;
        if (eol > pos && pData[eol - 1] == '=' && next > eol) {
            for (; nQuotedPrintable < 0 && nScanned < text.size(); ++nScanned) {
                if (text[nScanned] == '"')
                    bInQuotes = !bInQuotes;
                else if (text[nScanned] == ':' && !bInQuotes)
                    nQuotedPrintable = NamesQuotedPrintable(text, nScanned) ? 1 : 0;
            }
            if (nQuotedPrintable == 1) {
                text.pop_back();
                bSoftBreak = true;
            }
        }
        pos = next;
    }
    return lines;
}

bool CxProperty::Parse(const std::string& line) {
    m_Group.clear();
    m_Name.clear();
    m_Params.clear();
    m_Value.clear();

    size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    size_t nameStart = i;
    while (i < line.size() && (IsNameChar(line[i]) || line[i] == '.')) {
        if (line[i] == '.') {
            m_Group.assign(line, nameStart, i - nameStart);
            nameStart = i + 1;
        }
        ++i;
    }
    if (i == nameStart || i >= line.size() || (line[i] != ';' && line[i] != ':'))
        return false;
    m_Name = ToUpperAscii(line.substr(nameStart, i - nameStart));

    while (i < line.size() && line[i] == ';') {
        ++i;
        size_t pnStart = i;
        while (i < line.size() && line[i] != '=' && line[i] != ';' && line[i] != ':')
            ++i;
        if (i >= line.size())
            return false;
        CxParam param;
        param.name = ToUpperAscii(TrimBlanks(line.substr(pnStart, i - pnStart)));
        if (line[i] == '=') {
            ++i;
            for (;;) {
                std::string value;
                if (i < line.size() && line[i] == '"') {
                    size_t close = line.find('"', i + 1);
                    if (close == std::string::npos)
                        return false;
                    value.assign(line, i + 1, close - i - 1);
                    i = close + 1;
                }
                // Unquoted text, or what follows a closing quote, runs to the next separator.
                size_t valueEnd = i;
                while (valueEnd < line.size() && line[valueEnd] != ',' && line[valueEnd] != ';' &&
                       line[valueEnd] != ':')
                    ++valueEnd;
                value.append(line, i, valueEnd - i);
                i = valueEnd;
                param.values.push_back(value);
                if (i < line.size() && line[i] == ',') {
                    ++i;
                    continue;
                }
                break;
            }
            if (i >= line.size())
                return false;
        } else {
            if (param.name.empty())
                continue;
            std::string bare = param.name;
            if (bare == "QUOTED-PRINTABLE" || bare == "BASE64" || bare == "8BIT" ||
                bare == "7BIT" || bare == "B")
                param.name = "ENCODING";
            else if (bare == "INLINE" || bare == "URL" || bare == "CID" || bare == "CONTENT-ID")
                param.name = "VALUE";
            else
                param.name = "TYPE";
            param.values.push_back(bare);
        }
        if (param.name == "TYPE") {
            std::vector<std::string> split;
            for (const std::string& v : param.values) {
                size_t from = 0;
                for (;;) {
                    size_t comma = v.find(',', from);
                    std::string one = TrimBlanks(v.substr(
                        from, comma == std::string::npos ? std::string::npos : comma - from));
                    if (!one.empty())
                        split.push_back(one);
                    if (comma == std::string::npos)
                        break;
                    from = comma + 1;
                }
            }
            param.values.swap(split);
        }
        m_Params.push_back(std::move(param));
    }
    if (i >= line.size() || line[i] != ':')
        return false;
    m_Value.assign(line, i + 1, std::string::npos);
    return true;
}

const CxParam* CxProperty::FindParam(const char* szName) const {
    for (const CxParam& p : m_Params) {
        if (p.name == szName)
            return &p;
    }
    return nullptr;
}

std::string CxProperty::ParamText(const char* szName) const {
    const CxParam* p = FindParam(szName);
    return p != nullptr && !p->values.empty() ? p->values.front() : std::string();
}

bool CxProperty::HasType(const char* szType) const {
    for (const CxParam& p : m_Params) {
        if (p.name != "TYPE")
            continue;
        for (const std::string& v : p.values) {
            if (EqualsNoCase(v, szType))
                return true;
        }
    }
    return false;
}

int CxProperty::Preference() const {
    std::string pref = ParamText("PREF");
    if (!pref.empty()) {
        int n = atoi(pref.c_str());
        if (n >= 1 && n <= 100)
            return n;
    }
    return HasType("PREF") ? 1 : 101;
}

std::string CxProperty::DecodedValue() const {
    std::string encoding = ParamText("ENCODING");
    if (EqualsNoCase(encoding, "QUOTED-PRINTABLE"))
        return DecodeQuotedPrintable(m_Value);
    if (EqualsNoCase(encoding, "BASE64") || EqualsNoCase(encoding, "B"))
        return std::string();
    return m_Value;
}

CxCharset CxProperty::Charset() const {
    return CharsetFromName(ParamText("CHARSET"));
}

std::u16string CxProperty::Text(const std::string& component) const {
    return DecodeCharset(UnescapeText(component), Charset());
}

bool PropertyNameAndValue(const std::string& line, std::string* pName, std::string* pValue) {
    size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    size_t nameStart = i;
    while (i < line.size() && (IsNameChar(line[i]) || line[i] == '.')) {
        if (line[i] == '.')
            nameStart = i + 1;
        ++i;
    }
    if (i == nameStart || i >= line.size() || (line[i] != ';' && line[i] != ':'))
        return false;
    size_t colon = ValueColon(line, i);
    if (colon == std::string::npos)
        return false;
    pName->assign(line, nameStart, i - nameStart);
    for (char& c : *pName)
        c = Upper(c);
    pValue->assign(line, colon + 1, std::string::npos);
    return true;
}

std::vector<std::string> SplitEscaped(const std::string& value, char cSeparator) {
    std::vector<std::string> parts;
    std::string part;
    for (size_t i = 0; i < value.size(); ++i) {
        char c = value[i];
        if (c == '\\' && i + 1 < value.size()) {
            part.push_back(c);
            part.push_back(value[++i]);
        } else if (c == cSeparator) {
            parts.push_back(part);
            part.clear();
        } else {
            part.push_back(c);
        }
    }
    parts.push_back(part);
    return parts;
}

std::string UnescapeText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '\\' || i + 1 >= text.size()) {
            out.push_back(c);
            continue;
        }
        char n = text[i + 1];
        if (n == 'n' || n == 'N') {
            out.push_back('\n');
            ++i;
        } else if (n == ',' || n == ';' || n == '\\') {
            out.push_back(n);
            ++i;
        } else {
            out.push_back(c);
        }
    }
    return out;
}
