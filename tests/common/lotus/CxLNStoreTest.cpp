#include "common/lotus/CxLNAddr.h"
#include "common/lotus/CxLNDate.h"
#include "common/lotus/CxLNNote.h"
#include "common/lotus/CxLNTask.h"
#include "common/lotus/LNExchange.h"
#include "common/misc/CxIniUtil.h"

#include "LotusTestUtil.h"

#include <gtest/gtest.h>

#include <cstring>

using lotustest::CapturedLog;
using testutil::Bytes;

namespace {

template <typename TRecord> void WriteRecords(const std::string& path, std::vector<TRecord*> recs) {
    CxFile f;
    ASSERT_TRUE(f.Open(path.c_str(), "wb"));
    f.WriteUInt32((uint32_t)recs.size());
    for (TRecord* r : recs)
        WriteRecordItems(f, r, LayoutOf<TRecord>());
    f.Close();
}

std::unique_ptr<LNAddrRecord> Contact(const char* szName, const char* szMail) {
    std::unique_ptr<LNAddrRecord> r(new LNAddrRecord());
    r->DisplayName = szName;
    r->BusinessEmail = szMail;
    r->ID = (std::string("id-") + szName).c_str();
    r->Tag = 17;
    r->Action = 1; // the helper's own value, to be written back as it came
    r->BirthDate = 30000.5;
    return r;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class StoreTest : public ::testing::Test {
protected:
    testutil::TempDir dir;
    std::string work = dir.Folder();
    CapturedLog log;

    void SetUp() override {
        for (LNKind kind : {LNKind::kAddr, LNKind::kDate, LNKind::kTask, LNKind::kNote})
            CxLNBaseUtil::RunnerOf(kind).SetTimeout(60000);
    }
    void TearDown() override {
        for (LNKind kind : {LNKind::kAddr, LNKind::kDate, LNKind::kTask, LNKind::kNote})
            CxLNBaseUtil::RunnerOf(kind).SetTimeout(1800000);
    }
    // What the stand-in for a helper does on its next runs.
    void Helper(const char* szProgram, const std::string& script) {
        testutil::WriteText(work + "probe-" + szProgram + ".txt", script);
    }
    int Runs() { return (int)lotustest::Lines(work + "probe-runs.txt").size(); }
    template <typename TStore> void Configure(TStore& store) {
        store.SetWorkFolder(work.c_str());
        store.SetLogFolder(work.c_str());
        store.SetPassword("s3cret");
        store.SetDebugEnabled(true);
        store.SetLogLevel(2);
    }
    // The ids of the parameter file the helper was given, in order.
    std::vector<int32_t> SeenParamIds() {
        Bytes b = testutil::ReadBytes(work + "probe-params.dat");
        std::vector<int32_t> ids;
        CxLNParamParser p;
        if (!p.LoadFromFile((work + "probe-params.dat").c_str()))
            return ids;
        size_t pos = 4;
        while (pos + 12 <= b.size()) {
            int32_t id, len;
            memcpy(&id, &b[pos], 4);
            memcpy(&len, &b[pos + 8], 4);
            ids.push_back(id);
            pos += 12 + (size_t)len;
        }
        return ids;
    }
};

TEST_F(StoreTest, ContactsLoadThroughTheirHelper) {
    auto a = Contact("Ann", "ann@x.example");
    auto b = Contact("Bob", "");
    WriteRecords<LNAddrRecord>(work + "source.dat", {a.get(), b.get()});
    Helper("Pellora.NotesAddr", "record\ncopy=" + work + "source.dat\n");

    CxLNAddrUtil store;
    Configure(store);
    store.SetAddrFile("C:\\Data\\names.vcf");
    store.SetDatabase("not sent for contacts");
    ASSERT_TRUE(store.Load());
    EXPECT_EQ(store.Operation(), 1);

    CommAddrMgr* index = store.GetRecordIndex();
    ASSERT_EQ(index->Count(), 2u);
    CommEntry<LNAddrRecord>* e = index->First();
    EXPECT_STREQ(e->pRecord->DisplayName, "Ann");
    EXPECT_EQ(e->pRecord->Entry, e);
    EXPECT_EQ(e->pRecord->Flags, 0u);
    e = index->Next();
    EXPECT_STREQ(e->pRecord->DisplayName, "Bob");
    EXPECT_EQ(index->Next(), nullptr);

    // The helper got the fourteen parameters, the contacts file as 1009 and no 1008; the file
    // with the password is gone once the run has ended.
    std::vector<int32_t> expected = {1000, 1001, 1002, 1003, 1004, 1005, 1006,
                                     1007, 1009, 1010, 1011, 1012, 1013, 1014};
    EXPECT_EQ(SeenParamIds(), expected);
    CxLNParamParser seen;
    ASSERT_TRUE(seen.LoadFromFile((work + "probe-params.dat").c_str()));
    EXPECT_EQ(seen.GetText(kParamAddrFile), "C:\\Data\\names.vcf");
    EXPECT_EQ(seen.GetText(kParamOperation), "1");
    EXPECT_EQ(seen.GetText(kParamDataFile), "LNAddr.dat");
    EXPECT_EQ(seen.GetText(kParamErrorFile), "LNAddrErr.dat");
    EXPECT_EQ(seen.GetText(kParamStatusFile), "LNAddrStatus.dat");
    EXPECT_EQ(seen.GetText(kParamLogFile), "appdebug.log");
    EXPECT_EQ(seen.GetText(kParamLogLevel), "2");
    EXPECT_EQ(seen.GetText(kParamLogEnabled), "1");
    EXPECT_EQ(seen.GetText(kParamPassword), "s3cret");
    EXPECT_FALSE(Exists(work + "LNAddrParam.dat"));

    std::string path = work + "\\LNAddr.dat";
    for (const char* line :
         {"    Start loading Lotus Notes Contacts.",
          "    Start loading Lotus Notes Contacts from temperary file: LNAddr.dat",
          "    There are 2 Contact records in total.",
          "    Load Lotus Notes Contact information from file successfully.",
          "    Load Lotus Notes Contacts information successfully."})
        EXPECT_TRUE(log.Has(line)) << line;
}

TEST_F(StoreTest, OtherKindsSendTheirDatabaseAs1008) {
    struct Kind {
        std::unique_ptr<CxLNBaseUtil> store;
        const char* program;
    };
    Kind kinds[] = {{std::make_unique<CxLNDateUtil>(), "Pellora.NotesDate"},
                    {std::make_unique<CxLNTaskUtil>(), "Pellora.NotesTask"},
                    {std::make_unique<CxLNNoteUtil>(), "Pellora.NotesNote"}};
    for (Kind& k : kinds) {
        Helper(k.program, "record\n");
        k.store->SetWorkFolder(work.c_str());
        k.store->SetDatabase("mail/test.nsf");
        EXPECT_FALSE(k.store->Load()) << k.program; // no data file
        std::vector<int32_t> ids = SeenParamIds();
        ASSERT_EQ(ids.size(), 14u) << k.program;
        EXPECT_EQ(ids[8], 1008) << k.program;
        CxLNParamParser seen;
        ASSERT_TRUE(seen.LoadFromFile((work + "probe-params.dat").c_str()));
        EXPECT_EQ(seen.GetText(kParamDatabase), "mail/test.nsf");
        EXPECT_EQ(seen.FindParam(kParamAddrFile), nullptr);
    }
}

TEST_F(StoreTest, AStaleDataFileIsNeverReadAsFresh) {
    auto a = Contact("Old", "");
    WriteRecords<LNAddrRecord>(work + "LNAddr.dat", {a.get()});
    Helper("Pellora.NotesAddr", "exit=1\n"); // leaves no file of its own
    CxLNAddrUtil store;
    Configure(store);
    EXPECT_FALSE(store.Load());
    EXPECT_EQ(store.GetRecordIndex()->Count(), 0u);
    EXPECT_TRUE(log.Has("!!! Failed to open file: " + work + "\\LNAddr.dat"));
    EXPECT_TRUE(log.Has("!!! Failed to load Lotus Notes Contacts information."));
}

TEST_F(StoreTest, ALoadWhoseHelperDidNotFinishReadsNothing) {
    auto a = Contact("Ann", "");
    WriteRecords<LNAddrRecord>(work + "source.dat", {a.get()});
    Helper("Pellora.NotesAddr", "copy=" + work + "source.dat\nsleep=3000\n");
    CxLNBaseUtil::RunnerOf(LNKind::kAddr).SetTimeout(300);
    CxLNAddrUtil store;
    Configure(store);
    EXPECT_FALSE(store.Load());
    EXPECT_EQ(store.GetRecordIndex()->Count(), 0u);
    EXPECT_TRUE(log.Has("!!! The helper program Pellora.NotesAddr.exe did not finish; its data "
                        "file is not read."));
    Sleep(3000); // let the helper end before the folder goes
}

TEST_F(StoreTest, ADamagedFileFailsAndNamesItsOffset) {
    auto a = Contact("Ann", "");
    auto b = Contact("Bob", "");
    WriteRecords<LNAddrRecord>(work + "whole.dat", {a.get(), b.get()});
    Bytes bytes = testutil::ReadBytes(work + "whole.dat");
    bytes.resize(bytes.size() - 10);
    testutil::WriteBytes(work + "cut.dat", bytes);
    Helper("Pellora.NotesAddr", "copy=" + work + "cut.dat\n");
    CxLNAddrUtil store;
    Configure(store);
    EXPECT_FALSE(store.Load());
    EXPECT_EQ(store.GetRecordIndex()->Count(), 0u);
    std::string expected = "!!! The file " + work + "\\LNAddr.dat is damaged: it ends at byte " +
                           std::to_string(bytes.size()) +
                           ", before record 2 of its 2 records is complete.";
    EXPECT_TRUE(log.Has(expected)) << expected;
}

TEST_F(StoreTest, MarkSubmitAndWriteBackByteForByte) {
    auto a = Contact("Ann", "ann@x.example");
    auto b = Contact("Bob", "bob@x.example");
    auto c = Contact("Cid", "");
    WriteRecords<LNAddrRecord>(work + "source.dat", {a.get(), b.get(), c.get()});
    Helper("Pellora.NotesAddr", "copy=" + work + "source.dat\n");
    CxLNAddrUtil store;
    Configure(store);
    ASSERT_TRUE(store.Load());

    EXPECT_FALSE(store.MarkForDeletion(nullptr));
    CommEntry<LNAddrRecord>* second = store.GetRecordIndex()->First();
    second = store.GetRecordIndex()->Next();
    EXPECT_TRUE(store.MarkForDeletion(second));
    EXPECT_TRUE(store.MarkForDeletion(second));
    EXPECT_TRUE(store.PendingChanges());

    Helper("Pellora.NotesAddr", "record\n");
    int runsBefore = Runs();
    ASSERT_TRUE(store.Submit());
    EXPECT_EQ(Runs(), runsBefore + 1);
    EXPECT_FALSE(store.PendingChanges());
    EXPECT_EQ(store.Operation(), 2);
    CxLNParamParser seen;
    ASSERT_TRUE(seen.LoadFromFile((work + "probe-params.dat").c_str()));
    EXPECT_EQ(seen.GetText(kParamOperation), "2");

    // The file handed to the helper is the loaded one with Action 3 in the marked record only.
    b->Action = kActionDelete;
    WriteRecords<LNAddrRecord>(work + "expected.dat", {a.get(), b.get(), c.get()});
    EXPECT_EQ(testutil::ReadBytes(work + "LNAddr.dat"), testutil::ReadBytes(work + "expected.dat"));
    EXPECT_TRUE(log.Has("    Submit changes to Lotus Notes contacts database"));
    EXPECT_TRUE(log.Has("    Start saving Lotus Notes Contacts information to file: LNAddr.dat"));
    EXPECT_TRUE(log.Has("    Save Lotus Notes Contacts information to file successfully."));

    // Nothing further marked: nothing written, no helper run.
    DeleteFileA((work + "LNAddr.dat").c_str());
    EXPECT_TRUE(store.Submit());
    EXPECT_EQ(Runs(), runsBefore + 1);
    EXPECT_FALSE(Exists(work + "LNAddr.dat"));

    // An entry without a record changes nothing.
    CommEntry<LNAddrRecord> orphan;
    EXPECT_TRUE(store.MarkForDeletion(&orphan));
    EXPECT_FALSE(store.PendingChanges());
}

TEST_F(StoreTest, ASubmitWhoseHelperDidNotFinishStaysPending) {
    Helper("Pellora.NotesTask", "sleep=3000\n");
    CxLNBaseUtil::RunnerOf(LNKind::kTask).SetTimeout(300);
    CxLNTaskUtil store;
    Configure(store);
    EXPECT_TRUE(store.PendingChanges()); // pending from construction on
    EXPECT_FALSE(store.Submit());
    EXPECT_TRUE(store.PendingChanges());
    Sleep(3000);
}

TEST_F(StoreTest, ASubmitThatCannotWriteRunsNoHelper) {
    CxLNDateUtil store;
    Configure(store);
    std::string missing = dir.Path("gone") + "\\";
    store.SetWorkFolder(missing.c_str());
    EXPECT_FALSE(store.Submit());
    EXPECT_TRUE(store.PendingChanges());
    EXPECT_EQ(Runs(), 0);
    EXPECT_TRUE(log.Has("!!! Failed to open file: " + missing + "\\LNDate.dat"));
    EXPECT_TRUE(log.Has("!!! Can not save information to temperary file."));
}

TEST_F(StoreTest, NotebookLogsOnlyItsFailures) {
    LNNoteRecord n{};
    n.Subject = "diary";
    n.BorderColor = 0x00FF00FF;
    WriteRecords<LNNoteRecord>(work + "source.dat", {&n});
    Helper("Pellora.NotesNote", "copy=" + work + "source.dat\n");
    CxLNNoteUtil store;
    Configure(store);
    ASSERT_TRUE(store.Load());
    ASSERT_EQ(store.GetRecordIndex()->Count(), 1u);
    EXPECT_EQ(store.GetRecordIndex()->First()->pRecord->BorderColor, 0x00FF00FF);
    store.MarkForDeletion(store.GetRecordIndex()->First());
    ASSERT_TRUE(store.Submit());
    // Every line is the runner's.
    const char* runnerLines[] = {
        "Original current directory: ",   "Set current directory: ",
        "Get Lotus Notes Path: ",         "Executing command: ",
        "Command executed successfully.", "Helper utility program exited successfully."};
    for (const std::string& m : log.Messages()) {
        bool bRunner = false;
        for (const char* prefix : runnerLines)
            bRunner = bRunner || m.rfind(std::string("    ") + prefix, 0) == 0;
        EXPECT_TRUE(bRunner) << m;
    }

    store.SetWorkFolder(dir.Path("gone\\").c_str());
    store.MarkForDeletion(store.GetRecordIndex()->First());
    EXPECT_FALSE(store.Submit());
    EXPECT_TRUE(log.Has("!!! Cannot save Lotus Notes Notes records to temperary file: " +
                        dir.Path("gone\\") + "\\LNNote.dat"));
    EXPECT_FALSE(store.ReadDataFile());
    EXPECT_TRUE(log.Has("!!! Cannot load Lotus Notes Note records from temperary file: " +
                        dir.Path("gone\\") + "\\LNNote.dat"));
}

TEST_F(StoreTest, HelperErrorsAreRead) {
    struct Case {
        std::string script;
        bool failed;
        std::string last;
    } cases[] = {
        {"error=first problem\nerror=second problem\n", true, "second problem"},
        {"", false, ""},
    };
    for (const Case& c : cases) {
        DeleteFileA((work + "LNAddrErr.dat").c_str());
        Helper("Pellora.NotesAddr", c.script);
        CxLNAddrUtil store;
        Configure(store);
        store.Load();
        EXPECT_EQ(store.HelperFailed(), c.failed);
        EXPECT_EQ(std::string(store.LastHelperError()), c.last);
    }
    for (const char* count : {"0", "-2", ""}) {
        testutil::WriteText(work + "LNAddrErr.dat",
                            std::string("[Error]\r\nError.Count=") + count + "\r\nError.1=x\r\n");
        Helper("Pellora.NotesAddr", "");
        CxLNAddrUtil store;
        Configure(store);
        store.Load();
        EXPECT_FALSE(store.HelperFailed()) << count;
        EXPECT_STREQ(store.LastHelperError(), "") << count;
    }
}

TEST_F(StoreTest, AnEarlierRunsErrorsAreNotReportedAgain) {
    testutil::WriteText(work + "LNAddrErr.dat", "[Error]\r\nError.Count=1\r\nError.1=old\r\n");
    Helper("Pellora.NotesAddr", "");
    CxLNAddrUtil store;
    Configure(store);
    store.Load(); // the helper reports nothing this time
    EXPECT_FALSE(store.HelperFailed());
    EXPECT_STREQ(store.LastHelperError(), "");
}

TEST_F(StoreTest, SettersCutAt255) {
    CxLNDateUtil store;
    std::string longText(300, 'n');
    store.SetServerName(longText.c_str());
    EXPECT_EQ(std::string(store.GetServerName()), longText.substr(0, 255));
    store.SetServerName("");
    EXPECT_STREQ(store.GetServerName(), "");
    store.SetIDFile(longText.c_str());
    store.SetIDFile(nullptr);
    EXPECT_STREQ(store.GetIDFile(), "");
    CxLNAddrUtil contacts;
    contacts.SetAddrFile(longText.c_str());
    EXPECT_EQ(std::string(contacts.GetAddrFile()), longText.substr(0, 259));
    contacts.SetAddrFile(nullptr);
    EXPECT_EQ(std::string(contacts.GetAddrFile()), longText.substr(0, 259));
    EXPECT_STREQ(contacts.GetLogFile(), "appdebug.log");
    EXPECT_EQ(contacts.GetLogLevel(), 3);
    // The working folder starts as the program's own.
    EXPECT_EQ(std::string(contacts.GetWorkFolder()), lotustest::ProgramFolder());
}

TEST_F(StoreTest, DiscardingAStoreAsksARunningHelperToStop) {
    struct Case {
        const char* running; // null: no key
        bool stopAsked;
    } cases[] = {{"1", true}, {"0", false}, {"abc", false}, {nullptr, false}};
    for (const Case& c : cases) {
        DeleteFileA((work + "LNDate.ini").c_str());
        if (c.running != nullptr)
            testutil::WriteText(work + "LNDate.ini",
                                std::string("[Status]\r\nRunning=") + c.running + "\r\n");
        testutil::WriteText(work + "LNDateStatus.dat", "Reading");
        testutil::WriteText(work + "LNDateErr.dat", "[Error]\r\n");
        testutil::WriteText(work + "LNDate.dat", "data");
        testutil::WriteText(work + "LNDateParam.dat", "params");
        {
            CxLNDateUtil store;
            store.SetWorkFolder(work.c_str());
        }
        CxIniUtil ini("", "");
        ini.IniSetFile((work + "LNDate.ini").c_str());
        char sz[8];
        ini.IniReadText("Status", "Stop", sz, sizeof sz, "<none>");
        EXPECT_EQ(std::string(sz), c.stopAsked ? "1" : "<none>") << (c.running ? c.running : "-");
        EXPECT_EQ(Exists(work + "LNDate.ini"), c.running != nullptr);
        EXPECT_FALSE(Exists(work + "LNDateStatus.dat"));
        EXPECT_FALSE(Exists(work + "LNDateErr.dat"));
        EXPECT_TRUE(Exists(work + "LNDate.dat"));
        EXPECT_TRUE(Exists(work + "LNDateParam.dat"));
    }
}

TEST_F(StoreTest, ASecondLoadHoldsOnlyItsOwnRecords) {
    Helper("Pellora.NotesAddr", "");
    CxLNAddrUtil store;
    Configure(store);
    EXPECT_FALSE(store.Load());
    auto a = Contact("Ann", "");
    WriteRecords<LNAddrRecord>(work + "source.dat", {a.get()});
    Helper("Pellora.NotesAddr", "copy=" + work + "source.dat\n");
    ASSERT_TRUE(store.Load());
    ASSERT_TRUE(store.Load());
    EXPECT_EQ(store.GetRecordIndex()->Count(), 1u);
}

} // namespace
