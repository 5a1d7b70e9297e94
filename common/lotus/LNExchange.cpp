#include "LNExchange.h"

#include <cstring>

void ReadRecordItems(CxFile& file, void* pRecord, const RecordLayout& layout, bool* pExact) {
    char* pBase = static_cast<char*>(pRecord);
    for (size_t i = 0; i < layout.nFields; ++i) {
        const FieldDesc& f = layout.pFields[i];
        char* pField = pBase + f.nOffset;
        switch (f.kind) {
        case FieldKind::Int32:
            file.ReadInt32(reinterpret_cast<int32_t*>(pField));
            break;
        case FieldKind::Date:
            file.ReadDouble(reinterpret_cast<double*>(pField));
            break;
        case FieldKind::Text:
            file.ReadString(*reinterpret_cast<CxTextBase*>(pField), f.nCapacity);
            if (pExact != nullptr && !file.LastReadCanonical())
                *pExact = false;
            break;
        case FieldKind::Bool:
            file.ReadBool(reinterpret_cast<uint8_t*>(pField));
            if (pExact != nullptr && !file.LastReadCanonical())
                *pExact = false;
            break;
        }
    }
}

void WriteRecordItems(CxFile& file, const void* pRecord, const RecordLayout& layout) {
    const char* pBase = static_cast<const char*>(pRecord);
    for (size_t i = 0; i < layout.nFields; ++i) {
        const FieldDesc& f = layout.pFields[i];
        const char* pField = pBase + f.nOffset;
        switch (f.kind) {
        case FieldKind::Int32:
            file.WriteInt32(*reinterpret_cast<const int32_t*>(pField));
            break;
        case FieldKind::Date:
            file.WriteDouble(*reinterpret_cast<const double*>(pField));
            break;
        case FieldKind::Text:
            file.WriteString(reinterpret_cast<const CxTextBase*>(pField)->c_str());
            break;
        case FieldKind::Bool:
            file.WriteBool(*reinterpret_cast<const uint8_t*>(pField));
            break;
        }
    }
}

namespace {
void AppendLE32(std::string& out, uint32_t v) {
    char a[4] = {(char)v, (char)(v >> 8), (char)(v >> 16), (char)(v >> 24)};
    out.append(a, 4);
}
} // namespace

void AppendRecordItems(std::string& out, const void* pRecord, const RecordLayout& layout) {
    const char* pBase = static_cast<const char*>(pRecord);
    for (size_t i = 0; i < layout.nFields; ++i) {
        const FieldDesc& f = layout.pFields[i];
        const char* pField = pBase + f.nOffset;
        switch (f.kind) {
        case FieldKind::Int32:
            AppendLE32(out, (uint32_t) * reinterpret_cast<const int32_t*>(pField));
            break;
        case FieldKind::Date: {
            uint64_t bits;
            memcpy(&bits, pField, 8);
            AppendLE32(out, (uint32_t)bits);
            AppendLE32(out, (uint32_t)(bits >> 32));
            break;
        }
        case FieldKind::Text: {
            const CxTextBase* pText = reinterpret_cast<const CxTextBase*>(pField);
            size_t nLen = pText->Length();
            AppendLE32(out, (uint32_t)nLen);
            out.append(pText->c_str(), nLen);
            break;
        }
        case FieldKind::Bool:
            AppendLE32(out, *reinterpret_cast<const uint8_t*>(pField));
            break;
        }
    }
}
