#include "common/lotus/LNExchange.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cstring>

using testutil::Bytes;

namespace {

void PutU32(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.push_back((unsigned char)(v >> (8 * i)));
}

void PutText(Bytes& b, const std::string& s) {
    PutU32(b, (uint32_t)s.size());
    b.insert(b.end(), s.begin(), s.end());
}

void PutDouble(Bytes& b, double d) {
    uint64_t bits;
    memcpy(&bits, &d, 8);
    PutU32(b, (uint32_t)bits);
    PutU32(b, (uint32_t)(bits >> 32));
}

// One record of the layout with every text empty, every number and date 0, except for the
// items a test gives.
template <typename TRecord> Bytes EmptyRecord() {
    Bytes b;
    const RecordLayout& layout = LayoutOf<TRecord>();
    for (size_t i = 0; i < layout.nFields; ++i) {
        if (layout.pFields[i].kind == FieldKind::Date)
            PutDouble(b, 0.0);
        else
            PutU32(b, 0);
    }
    return b;
}

class ExchangeFile : public ::testing::Test {
protected:
    testutil::TempDir dir;
    std::string path = dir.Path("x.dat");

    template <typename TRecord>
    ExchangeReadResult Read(const Bytes& bytes, std::vector<std::unique_ptr<TRecord>>& out) {
        testutil::WriteBytes(path, bytes);
        return ReadExchangeFile<TRecord>(path.c_str(), out);
    }

    template <typename TRecord>
    Bytes Rewrite(const std::vector<std::unique_ptr<TRecord>>& records) {
        std::string outPath = dir.Path("out.dat");
        CxFile f;
        EXPECT_TRUE(f.Open(outPath.c_str(), "wb"));
        f.WriteUInt32((uint32_t)records.size());
        for (const auto& r : records)
            WriteRecordItems(f, r.get(), LayoutOf<TRecord>());
        f.Close();
        return testutil::ReadBytes(outPath);
    }

    template <typename TRecord> void ExpectEmptyRecordSize(size_t recordBytes) {
        EXPECT_EQ(LayoutOf<TRecord>().MinBytes(), recordBytes);
        Bytes file;
        PutU32(file, 1);
        Bytes rec = EmptyRecord<TRecord>();
        file.insert(file.end(), rec.begin(), rec.end());
        EXPECT_EQ(file.size(), recordBytes + 4);
        std::vector<std::unique_ptr<TRecord>> records;
        ExchangeReadResult r = Read(file, records);
        ASSERT_EQ(r.status, ExchangeReadResult::kOk);
        ASSERT_EQ(records.size(), 1u);
        EXPECT_TRUE(r.bExact);
        EXPECT_EQ(records[0]->Flags, 0u);
        EXPECT_EQ(records[0]->Entry, nullptr);
        EXPECT_EQ(Rewrite(records), file);
    }
};

TEST_F(ExchangeFile, EmptyRecordsHaveTheirSizesAndRoundTrip) {
    ExpectEmptyRecordSize<LNAddrRecord>(288);
    ExpectEmptyRecordSize<LNDateRecord>(156);
    ExpectEmptyRecordSize<LNTaskRecord>(92);
    ExpectEmptyRecordSize<LNNoteRecord>(52);
}

TEST_F(ExchangeFile, FieldCountsAndCapacities) {
    EXPECT_EQ(LayoutOf<LNAddrRecord>().nFields, 70u);
    EXPECT_EQ(LayoutOf<LNDateRecord>().nFields, 30u);
    EXPECT_EQ(LayoutOf<LNTaskRecord>().nFields, 20u);
    EXPECT_EQ(LayoutOf<LNNoteRecord>().nFields, 10u);
    // The capacity of every text item, by name, as the layouts give them.
    auto capacity = [](const RecordLayout& layout, const char* name) -> uint32_t {
        for (size_t i = 0; i < layout.nFields; ++i)
            if (std::string(layout.pFields[i].szName) == name)
                return layout.pFields[i].nCapacity;
        return 0;
    };
    const RecordLayout& addr = LayoutOf<LNAddrRecord>();
    EXPECT_EQ(capacity(addr, "ID"), 64u);
    EXPECT_EQ(capacity(addr, "DisplayName"), 256u);
    EXPECT_EQ(capacity(addr, "BusinessEmail"), 128u);
    EXPECT_EQ(capacity(addr, "BusinessCity"), 32u);
    EXPECT_EQ(capacity(addr, "Note"), 4096u);
    EXPECT_EQ(capacity(addr, "CustomField[9]"), 256u);
    EXPECT_EQ(capacity(addr, "CustomLabel[9]"), 64u);
    const RecordLayout& date = LayoutOf<LNDateRecord>();
    EXPECT_EQ(capacity(date, "Body"), 20480u);
    EXPECT_EQ(capacity(date, "Repeats"), 10u);
    EXPECT_EQ(capacity(date, "ExtraText2"), 16u);
    EXPECT_EQ(capacity(LayoutOf<LNTaskRecord>(), "Body"), 8192u);
    EXPECT_EQ(capacity(LayoutOf<LNTaskRecord>(), "Repeats"), 256u);
    EXPECT_EQ(capacity(LayoutOf<LNTaskRecord>(), "TaskType"), 32u);
    EXPECT_EQ(capacity(LayoutOf<LNNoteRecord>(), "Body"), 8192u);
    // Every item lies inside its record, and no two share a place.
    for (const RecordLayout* layout :
         {&addr, &date, &LayoutOf<LNTaskRecord>(), &LayoutOf<LNNoteRecord>()}) {
        for (size_t i = 1; i < layout->nFields; ++i)
            EXPECT_GT(layout->pFields[i].nOffset, layout->pFields[i - 1].nOffset)
                << layout->pFields[i].szName;
    }
    EXPECT_LT(addr.pFields[addr.nFields - 1].nOffset, sizeof(LNAddrRecord));
}

TEST_F(ExchangeFile, ContactItemsInFileOrder) {
    // Every text of a contact gets its own name, so any swap of two items shows.
    const RecordLayout& layout = LayoutOf<LNAddrRecord>();
    Bytes file;
    PutU32(file, 1);
    for (size_t i = 0; i < layout.nFields; ++i) {
        const FieldDesc& f = layout.pFields[i];
        if (f.kind == FieldKind::Date)
            PutDouble(file, 40000.0 + (double)i);
        else if (f.kind == FieldKind::Text)
            PutText(file, "f" + std::to_string(i));
        else
            PutU32(file, (uint32_t)i + 100);
    }
    std::vector<std::unique_ptr<LNAddrRecord>> records;
    ASSERT_EQ(Read(file, records).status, ExchangeReadResult::kOk);
    const LNAddrRecord& r = *records[0];
    EXPECT_EQ(r.Action, 100);
    EXPECT_EQ(r.Tag, 101);
    EXPECT_STREQ(r.ID, "f2");
    EXPECT_STREQ(r.FirstName, "f3");
    EXPECT_STREQ(r.DisplayName, "f7");
    EXPECT_STREQ(r.AssistantPhone, "f16");
    EXPECT_STREQ(r.PrimaryPhone, "f34");
    EXPECT_STREQ(r.Note, "f46");
    EXPECT_STREQ(r.Category, "f47");
    EXPECT_STREQ(r.CustomField[0], "f48");
    EXPECT_STREQ(r.CustomField[9], "f57");
    EXPECT_STREQ(r.CustomLabel[0], "f58");
    EXPECT_STREQ(r.CustomLabel[9], "f67");
    EXPECT_EQ(r.BirthDate, 40068.0);
    EXPECT_EQ(r.Anniversary, 40069.0);
    EXPECT_EQ(Rewrite(records), file);
}

TEST_F(ExchangeFile, TheBufferWriterWritesTheFileWritersBytes) {
    LNDateRecord r;
    r.Action = -7;
    r.Tag = 12;
    r.ID = "id";
    r.Body = std::string(5000, 'b').c_str();
    r.StartDateTime = -0.0;
    r.EndDateTime = 45000.25;
    r.ExtraNumber = 0x7FFFFFFF;
    r.Private = 0xFE;
    std::vector<std::unique_ptr<LNDateRecord>> records;
    records.emplace_back(new LNDateRecord(r));
    records.emplace_back(new LNDateRecord());
    Bytes fromFile = Rewrite(records);
    std::string buffer;
    buffer.append("\x02\x00\x00\x00", 4);
    for (const auto& rec : records)
        AppendRecordItems(buffer, rec.get(), LayoutOf<LNDateRecord>());
    EXPECT_EQ(Bytes(buffer.begin(), buffer.end()), fromFile);
}

TEST_F(ExchangeFile, CalendarKeepsTheHelpersOwnItems) {
    Bytes file;
    PutU32(file, 1);
    const RecordLayout& layout = LayoutOf<LNDateRecord>();
    std::string body(10000, 'b');
    for (size_t i = 0; i < layout.nFields; ++i) {
        const FieldDesc& f = layout.pFields[i];
        std::string name = f.szName;
        if (f.kind == FieldKind::Date)
            PutDouble(file, 1000.0 + (double)i);
        else if (f.kind == FieldKind::Int32)
            PutU32(file, 7);
        else if (f.kind == FieldKind::Bool)
            PutU32(file, 1);
        else if (name == "Body")
            PutText(file, body);
        else if (name == "ExtraText5")
            PutText(file, "five");
        else if (name == "ExtraText6")
            PutText(file, "six");
        else
            PutText(file, "");
    }
    std::vector<std::unique_ptr<LNDateRecord>> records;
    ExchangeReadResult r = Read(file, records);
    ASSERT_EQ(r.status, ExchangeReadResult::kOk);
    EXPECT_TRUE(r.bExact);
    EXPECT_EQ(std::string(records[0]->Body), body);
    EXPECT_STREQ(records[0]->ExtraText5, "five");
    EXPECT_STREQ(records[0]->ExtraText6, "six");
    EXPECT_EQ(records[0]->Private, 1);
    EXPECT_EQ(records[0]->StartDateTime, 1014.0);
    EXPECT_EQ(Rewrite(records), file);
}

TEST_F(ExchangeFile, TaskPrivateAndImportanceAsStored) {
    const RecordLayout& layout = LayoutOf<LNTaskRecord>();
    size_t privateIndex = 0, importanceIndex = 0;
    for (size_t i = 0; i < layout.nFields; ++i) {
        if (std::string(layout.pFields[i].szName) == "Private")
            privateIndex = i;
        if (std::string(layout.pFields[i].szName) == "Importance")
            importanceIndex = i;
    }
    ASSERT_EQ(privateIndex, importanceIndex + 1);
    struct Case {
        uint32_t storedPrivate;
        uint8_t readPrivate;
        bool exact;
    } cases[] = {{0x00000001, 1, true}, {0x00000100, 0, false}, {0xFF000001, 1, false}};
    for (const Case& c : cases) {
        Bytes file;
        PutU32(file, 1);
        for (size_t i = 0; i < layout.nFields; ++i) {
            if (layout.pFields[i].kind == FieldKind::Date)
                PutDouble(file, 0);
            else if (i == privateIndex)
                PutU32(file, c.storedPrivate);
            else if (i == importanceIndex)
                PutU32(file, 5);
            else
                PutU32(file, 0);
        }
        std::vector<std::unique_ptr<LNTaskRecord>> records;
        ExchangeReadResult r = Read(file, records);
        ASSERT_EQ(r.status, ExchangeReadResult::kOk);
        EXPECT_EQ(records[0]->Private, c.readPrivate);
        EXPECT_EQ(records[0]->Flags, 0u);
        EXPECT_EQ(records[0]->Importance, 5);
        EXPECT_EQ(r.bExact, c.exact);
    }
}

TEST_F(ExchangeFile, CountZeroAndFileOrder) {
    std::vector<std::unique_ptr<LNNoteRecord>> records;
    Bytes none;
    PutU32(none, 0);
    EXPECT_EQ(Read(none, records).status, ExchangeReadResult::kOk);
    EXPECT_TRUE(records.empty());

    Bytes three;
    PutU32(three, 3);
    for (const char* subject : {"c", "a", "b"}) {
        Bytes rec = EmptyRecord<LNNoteRecord>();
        Bytes withSubject(rec.begin(), rec.begin() + 12); // Action, Tag, ID
        PutText(withSubject, subject);
        withSubject.insert(withSubject.end(), rec.begin() + 16, rec.end());
        three.insert(three.end(), withSubject.begin(), withSubject.end());
    }
    ASSERT_EQ(Read(three, records).status, ExchangeReadResult::kOk);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_STREQ(records[0]->Subject, "c");
    EXPECT_STREQ(records[1]->Subject, "a");
    EXPECT_STREQ(records[2]->Subject, "b");
    EXPECT_EQ(Rewrite(records), three);
}

TEST_F(ExchangeFile, OverlongAndNonPositiveLengthsStayInStep) {
    // ID is text 64: a stored length of 100 keeps 63 characters, skips the rest, and the
    // following items still read right.
    Bytes file;
    PutU32(file, 1);
    PutU32(file, 3); // Action
    PutU32(file, 4); // Tag
    PutText(file, std::string(100, 'i'));
    PutU32(file, 0xFFFFFFFB); // Subject: length -5
    PutText(file, "body");
    PutText(file, "cats");
    PutU32(file, 0xABCDEF);
    PutDouble(file, 1.5);
    PutDouble(file, 2.5);
    PutDouble(file, 3.5);
    std::vector<std::unique_ptr<LNNoteRecord>> records;
    ExchangeReadResult r = Read(file, records);
    ASSERT_EQ(r.status, ExchangeReadResult::kOk);
    EXPECT_FALSE(r.bExact);
    const LNNoteRecord& n = *records[0];
    EXPECT_EQ(std::string(n.ID), std::string(63, 'i'));
    EXPECT_STREQ(n.Subject, "");
    EXPECT_STREQ(n.Body, "body");
    EXPECT_STREQ(n.Categories, "cats");
    EXPECT_EQ(n.BorderColor, 0xABCDEF);
    EXPECT_EQ(n.EditTime, 3.5);
}

TEST_F(ExchangeFile, TruncatedFileIsDamagedWithItsOffset) {
    // The first record carries a body of 60 bytes, so the file is long enough for its count
    // and ends inside the second record.
    Bytes file;
    PutU32(file, 2);
    Bytes rec = EmptyRecord<LNNoteRecord>();
    file.insert(file.end(), rec.begin(), rec.begin() + 16); // Action, Tag, ID, Subject
    PutText(file, std::string(60, 'b'));
    file.insert(file.end(), rec.begin() + 20, rec.end());
    file.insert(file.end(), rec.begin(), rec.begin() + 30);
    std::vector<std::unique_ptr<LNNoteRecord>> records;
    ExchangeReadResult r = Read(file, records);
    EXPECT_EQ(r.status, ExchangeReadResult::kDamaged);
    EXPECT_TRUE(records.empty());
    EXPECT_EQ(r.nRecordsRead, 1u);
    EXPECT_EQ(r.nEndOffset, 4 + 112 + 30);
    EXPECT_FALSE(r.bCountTooLarge);

    // A text whose length runs past the end of the file.
    Bytes bad;
    PutU32(bad, 1);
    PutU32(bad, 0);
    PutU32(bad, 0);
    PutU32(bad, 1000);
    bad.insert(bad.end(), 60, 'x');
    rec = EmptyRecord<LNNoteRecord>();
    bad.insert(bad.end(), rec.begin(), rec.end()); // enough bytes for the count check
    EXPECT_EQ(Read(bad, records).status, ExchangeReadResult::kDamaged);
}

TEST_F(ExchangeFile, ImpossibleCountIsRefusedUpFront) {
    Bytes file;
    PutU32(file, 0xFFFFFFFF);
    Bytes rec = EmptyRecord<LNAddrRecord>();
    file.insert(file.end(), rec.begin(), rec.end());
    std::vector<std::unique_ptr<LNAddrRecord>> records;
    ExchangeReadResult r = Read(file, records);
    EXPECT_EQ(r.status, ExchangeReadResult::kDamaged);
    EXPECT_TRUE(r.bCountTooLarge);
    EXPECT_EQ(r.nCount, 0xFFFFFFFFu);
    EXPECT_TRUE(records.empty());

    Bytes shortCount = {1, 0};
    EXPECT_EQ(Read(shortCount, records).status, ExchangeReadResult::kDamaged);
    EXPECT_EQ(ReadExchangeFile<LNAddrRecord>(dir.Path("missing.dat").c_str(), records).status,
              ExchangeReadResult::kOpenFailed);
}

TEST_F(ExchangeFile, TrailingBytesMakeAReadInexact) {
    Bytes file;
    PutU32(file, 0);
    file.push_back(0);
    std::vector<std::unique_ptr<LNNoteRecord>> records;
    ExchangeReadResult r = Read(file, records);
    EXPECT_EQ(r.status, ExchangeReadResult::kOk);
    EXPECT_FALSE(r.bExact);
}

} // namespace
