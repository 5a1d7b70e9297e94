#include "CxLNParamParser.h"

#include "../misc/CxFile.h"
#include "../misc/Platform.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {
// A text is held in a buffer of 1024 units, so at most 1023 remain; in the file it takes at most
// 1022 bytes (a buffer of 1023 with its terminator).
const size_t kTextUnits = 1023;
const size_t kFileTextBytes = 1022;

std::u16string ToHeld(const char* szAnsi) {
    std::u16string wide = PlatformAnsiToUtf16(szAnsi);
    if (wide.size() > kTextUnits)
        wide.resize(kTextUnits);
    return wide;
}
} // namespace

CxLNParamParser::CxLNParamParser(const char* szPath) {
    m_szPath[0] = '\0';
    if (szPath != nullptr && szPath[0] != '\0')
        snprintf(m_szPath, sizeof m_szPath, "%s", szPath);
}

CxLNParamParser::~CxLNParamParser() {
    Clear();
}

void CxLNParamParser::Clear() {
    for (void* p = m_Entries.First(); p != nullptr; p = m_Entries.Next())
        delete static_cast<LNParam*>(p);
    m_Entries.Clear();
}

const LNParam* CxLNParamParser::FindParam(int32_t nId) const {
    for (void* p = m_Entries.First(); p != nullptr; p = m_Entries.Next()) {
        if (static_cast<LNParam*>(p)->nId == nId)
            return static_cast<LNParam*>(p);
    }
    return nullptr;
}

bool CxLNParamParser::AddParam(int32_t nId, int32_t nType, const void* pValue) {
    if (pValue == nullptr)
        return false;
    LNParam* pEntry = const_cast<LNParam*>(FindParam(nId));
    if (pEntry != nullptr && pEntry->nType != nType)
        return false;
    std::unique_ptr<LNParam> pNew;
    if (pEntry == nullptr) {
        pNew.reset(new (std::nothrow) LNParam);
        if (!pNew)
            return false;
        pEntry = pNew.get();
        pEntry->nId = nId;
        pEntry->nType = nType;
    }
    switch (nType) {
    case kParamInt:
        memcpy(&pEntry->nInt, pValue, sizeof(int32_t));
        break;
    case kParamReal:
        memcpy(&pEntry->dReal, pValue, sizeof(double));
        break;
    case kParamText:
        pEntry->Text = ToHeld(static_cast<const char*>(pValue));
        break;
    case kParamBool:
        pEntry->nBool = *static_cast<const uint8_t*>(pValue) != 0 ? 1 : 0;
        break;
    default:
        break;
    }
    if (pNew) {
        if (!m_Entries.Append(pNew.get()))
            return false;
        pNew.release();
    }
    return true;
}

bool CxLNParamParser::SaveToFile(const char* szPath) {
    if (szPath != nullptr && szPath[0] != '\0')
        snprintf(m_szPath, sizeof m_szPath, "%s", szPath);
    CxFile file;
    if (!file.Open(m_szPath, "wb"))
        return false;
    file.WriteUInt32(m_Entries.Count());
    for (void* p = m_Entries.First(); p != nullptr; p = m_Entries.Next()) {
        const LNParam* pEntry = static_cast<const LNParam*>(p);
        file.WriteInt32(pEntry->nId);
        file.WriteInt32(pEntry->nType);
        switch (pEntry->nType) {
        case kParamInt:
            file.WriteInt32(pEntry->nInt);
            break;
        case kParamReal:
            file.WriteDouble(pEntry->dReal);
            break;
        case kParamText: {
            std::string ansi = PlatformUtf16ToAnsi(pEntry->Text);
            if (ansi.size() > kFileTextBytes)
                ansi.resize(kFileTextBytes);
            file.WriteString(ansi.c_str());
            break;
        }
        case kParamBool:
            file.WriteInt32(pEntry->nBool != 0 ? 1 : 0);
            break;
        default:
            break;
        }
    }
    file.Close();
    return !file.HadWriteError();
}

bool CxLNParamParser::LoadFromFile(const char* szPath, std::string* pError) {
    Clear();
    auto fail = [&](const std::string& message) {
        Clear();
        if (pError != nullptr)
            *pError = message;
        return false;
    };
    CxFile file;
    if (!file.Open(szPath, "rb"))
        return fail(std::string("Cannot open the parameter file ") + (szPath ? szPath : "") + ".");
    const int64_t nSize = file.SizeAtOpen();
    uint32_t nCount = 0;
    file.ReadUInt32(&nCount);
    // Every entry takes at least its id and type code.
    if (file.HadShortRead() || (uint64_t)nCount * 8 > (uint64_t)(nSize - file.Tell()))
        return fail("The parameter file is damaged: its count of entries does not fit its size.");
    std::vector<char> text;
    for (uint32_t i = 0; i < nCount; ++i) {
        int32_t nId = 0, nType = 0;
        file.ReadInt32(&nId);
        file.ReadInt32(&nType);
        // A repeated id keeps its first type, as AddParam does; the later value is dropped
        // when its type differs.
        switch (nType) {
        case kParamInt: {
            int32_t n = 0;
            file.ReadInt32(&n);
            AddParam(nId, nType, &n);
            break;
        }
        case kParamReal: {
            double d = 0;
            file.ReadDouble(&d);
            AddParam(nId, nType, &d);
            break;
        }
        case kParamText: {
            int32_t nLen = 0;
            file.ReadInt32(&nLen);
            if (nLen < 0 || nLen > nSize - file.Tell())
                return fail("The parameter file is damaged: a text is longer than the file.");
            text.assign((size_t)nLen + 1, '\0');
            file.ReadBytes(text.data(), (size_t)nLen);
            AddParam(nId, nType, text.data());
            break;
        }
        case kParamBool: {
            int32_t n = 0;
            file.ReadInt32(&n);
            uint8_t b = n != 0 ? 1 : 0;
            AddParam(nId, nType, &b);
            break;
        }
        default: {
            uint8_t none = 0;
            AddParam(nId, nType, &none);
            break;
        }
        }
        if (file.HadShortRead())
            return fail("The parameter file is damaged: it ends inside an entry.");
    }
    return true;
}

std::string CxLNParamParser::GetText(int32_t nId) const {
    const LNParam* pEntry = FindParam(nId);
    if (pEntry == nullptr || pEntry->nType != kParamText)
        return std::string();
    return PlatformUtf16ToAnsi(pEntry->Text);
}
