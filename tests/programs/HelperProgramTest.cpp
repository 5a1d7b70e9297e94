// The four helper programs, run for real under the record stores, on copies of the demo
// databases, on the real files of tests/data/corpus and on small fixtures. This program lies next
// to the helpers, where the stores look for them.
#include "common/lotus/CxLNAddr.h"
#include "common/lotus/CxLNDate.h"
#include "common/lotus/CxLNNote.h"
#include "common/lotus/CxLNTask.h"
#include "common/misc/CxDebugUtil.h"
#include "common/misc/CxIniUtil.h"

#include "TestUtil.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

std::string DemoPath(const char* name) {
    return std::string(MW_SOURCE_DIR "/demo/") + name;
}
std::string CorpusPath(const char* name) {
    return std::string(MW_SOURCE_DIR "/tests/data/corpus/") + name;
}

// The entries of a file as the blocks between "BEGIN:<component>" and the end of their END line,
// found without the helpers' own reader.
struct Block {
    size_t start, end;
    std::string text;
};
std::vector<Block> Blocks(const std::string& bytes, const std::string& component) {
    std::vector<Block> out;
    std::string begin = "BEGIN:" + component, end = "END:" + component;
    for (size_t at = bytes.find(begin); at != std::string::npos; at = bytes.find(begin, at + 1)) {
        if (at > 0 && bytes[at - 1] != '\n')
            continue;
        size_t stop = bytes.find(end, at);
        if (stop == std::string::npos)
            break;
        stop = bytes.find('\n', stop);
        stop = stop == std::string::npos ? bytes.size() : stop + 1;
        out.push_back({at, stop, bytes.substr(at, stop - at)});
    }
    return out;
}

std::string Without(const std::string& bytes, const std::vector<Block>& blocks,
                    const std::vector<size_t>& drop) {
    std::string out;
    size_t at = 0;
    for (size_t i : drop) {
        out += bytes.substr(at, blocks[i].start - at);
        at = blocks[i].end;
    }
    return out + bytes.substr(at);
}

std::vector<std::string> Backups(const std::string& dbPath) {
    std::vector<std::string> out;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dbPath + ".*.bak").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return out;
    std::string folder = dbPath.substr(0, dbPath.rfind('\\') + 1);
    do {
        out.push_back(folder + fd.cFileName);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return out;
}

class HelperPrograms : public ::testing::Test {
protected:
    testutil::TempDir dir;
    std::string work = dir.Path("work") + "\\";
    std::string data = dir.Path("data folder") + "\\";
    std::string oldLogFolder;

    void SetUp() override {
        CreateDirectoryA(work.c_str(), nullptr);
        CreateDirectoryA(data.c_str(), nullptr);
        oldLogFolder = CxDebugUtil::Instance().GetFolder();
        CxDebugUtil::Instance().SetFolder(work.c_str());
    }
    void TearDown() override { CxDebugUtil::Instance().SetFolder(oldLogFolder.c_str()); }

    std::string Copy(const std::string& from, const char* name) {
        std::string to = data + name;
        EXPECT_TRUE(CopyFileA(from.c_str(), to.c_str(), FALSE)) << from;
        return to;
    }
    void Configure(CxLNBaseUtil& store) {
        store.SetWorkFolder(work.c_str());
        store.SetLogFolder(work.c_str());
        store.SetPassword("S3cret-Passw0rd");
        store.SetDebugEnabled(true);
        store.SetLogLevel(3);
    }
    int Running(const char* ini) {
        CxIniUtil i("", "");
        i.IniSetFile((work + ini).c_str());
        return i.IniReadInt("Status", "Running", -1);
    }
};

template <typename TStore> using Entry = typename TStore::Entry;

template <typename TStore> std::vector<Entry<TStore>*> Entries(TStore& store) {
    std::vector<Entry<TStore>*> out;
    for (auto* e = store.GetRecordIndex()->First(); e != nullptr;
         e = store.GetRecordIndex()->Next())
        out.push_back(e);
    return out;
}

TEST_F(HelperPrograms, ContactsLoadAndDeleteOnlyTheMarked) {
    std::string db = Copy(DemoPath("contacts.vcf"), "names.vcf");
    std::string original = testutil::ReadText(db);
    std::vector<Block> blocks = Blocks(original, "VCARD");
    ASSERT_EQ(blocks.size(), 60u);

    CxLNAddrUtil store;
    Configure(store);
    store.SetAddrFile(db.c_str());
    ASSERT_TRUE(store.Load()) << store.LastHelperError();
    EXPECT_FALSE(store.HelperFailed()) << store.LastHelperError();
    std::vector<Entry<CxLNAddrUtil>*> entries = Entries(store);
    ASSERT_EQ(entries.size(), 60u);
    EXPECT_STREQ(entries[0]->pRecord->DisplayName, "Ann Archer");
    EXPECT_STREQ(entries[0]->pRecord->BusinessEmail, "ann.archer@northwind.example");
    EXPECT_STREQ(entries[1]->pRecord->LastName, "Baker");
    EXPECT_EQ(Running("LNAddr.ini"), 0);

    // The second and third copy of an entry, and a contact in vCard 2.1.
    std::vector<size_t> drop;
    for (size_t i = 0; i < entries.size(); ++i) {
        std::string name = entries[i]->pRecord->DisplayName.c_str();
        if ((i > 1 && blocks[i].text == blocks[1].text) || name == "Ren\xE9 Dubois")
            drop.push_back(i);
    }
    ASSERT_EQ(drop.size(), 3u);
    for (size_t i : drop)
        store.MarkForDeletion(entries[i]);
    ASSERT_TRUE(store.Submit());
    EXPECT_FALSE(store.HelperFailed()) << store.LastHelperError();

    EXPECT_EQ(testutil::ReadText(db), Without(original, blocks, drop));
    std::vector<std::string> backups = Backups(db);
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(testutil::ReadText(backups[0]), original);

    // A second pass works on the changed file and keeps the first backup.
    ASSERT_TRUE(store.Load());
    EXPECT_EQ(store.GetRecordIndex()->Count(), 57u);
    store.MarkForDeletion(store.GetRecordIndex()->First());
    Sleep(1100); // a backup of another second
    ASSERT_TRUE(store.Submit());
    EXPECT_EQ(Backups(db).size(), 2u);
    EXPECT_EQ(testutil::ReadText(backups[0]), original);
}

TEST_F(HelperPrograms, TheLogHasTheHelpersLinesAndNoFileThePassword) {
    std::string db = Copy(DemoPath("tasks.ics"), "mail.ics");
    {
        CxLNTaskUtil store;
        Configure(store);
        store.SetDatabase(db.c_str());
        ASSERT_TRUE(store.Load()) << store.LastHelperError();
        store.MarkForDeletion(store.GetRecordIndex()->First());
        ASSERT_TRUE(store.Submit()) << store.LastHelperError();
    }
    std::string log = testutil::ReadText(work + "appdebug.log");
    EXPECT_NE(log.find("[   ] - The tasks helper starts: operation 1"), std::string::npos) << log;
    EXPECT_NE(log.find("[HelperMain.cpp"), std::string::npos);
    // Whatever the helpers and the stores left in the working folder, in the database's folder
    // and in the log: no password.
    for (const std::string& folder : {work, data}) {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((folder + "*").c_str(), &fd);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        do {
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                continue;
            std::string text = testutil::ReadText(folder + fd.cFileName);
            EXPECT_EQ(text.find("S3cret-Passw0rd"), std::string::npos) << fd.cFileName;
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    EXPECT_EQ(GetFileAttributesA((work + "LNTaskParam.dat").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(HelperPrograms, ARepeatingEntryGoesWithItsOverride) {
    std::string db = Copy(DemoPath("calendar.ics"), "calendar.ics");
    std::string original = testutil::ReadText(db);
    CxLNDateUtil store;
    Configure(store);
    store.SetDatabase(db.c_str());
    ASSERT_TRUE(store.Load()) << store.LastHelperError();
    // The second import of the weekly meeting, which has an override of its own.
    std::vector<Entry<CxLNDateUtil>*> entries = Entries(store);
    Entry<CxLNDateUtil>* second = nullptr;
    int nMeetings = 0;
    for (auto* e : entries) {
        if (e->pRecord->Subject == std::string("Weekly team meeting") && ++nMeetings == 2)
            second = e;
    }
    ASSERT_NE(second, nullptr);
    EXPECT_STREQ(second->pRecord->Repeats, "1");
    EXPECT_STREQ(second->pRecord->RepeatUnit, "W");
    store.MarkForDeletion(second);
    ASSERT_TRUE(store.Submit()) << store.LastHelperError();

    std::vector<Block> blocks = Blocks(original, "VEVENT");
    std::vector<size_t> drop;
    for (size_t i = 0; i < blocks.size(); ++i)
        if (blocks[i].text.find("UID:ev-14@demo") != std::string::npos)
            drop.push_back(i);
    ASSERT_EQ(drop.size(), 2u);
    std::string now = testutil::ReadText(db);
    EXPECT_EQ(now, Without(original, blocks, drop));
    EXPECT_NE(now.find("BEGIN:VTIMEZONE"), std::string::npos);
}

TEST_F(HelperPrograms, AnEntryChangedSinceTheLoadIsLeftAlone) {
    std::string db = Copy(DemoPath("notebook.ics"), "notebook.ics");
    CxLNNoteUtil store;
    Configure(store);
    store.SetDatabase(db.c_str());
    ASSERT_TRUE(store.Load()) << store.LastHelperError();
    std::vector<Entry<CxLNNoteUtil>*> entries = Entries(store);
    ASSERT_GE(entries.size(), 3u);
    // Someone edits the first entry before the deletions are applied.
    std::string text = testutil::ReadText(db);
    size_t at = text.find("Ideas for the garden");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 5, "IDEAS");
    testutil::WriteText(db, text);
    std::vector<Block> blocks = Blocks(text, "VJOURNAL");

    store.MarkForDeletion(entries[0]);
    store.MarkForDeletion(entries[2]);
    ASSERT_TRUE(store.Submit());
    EXPECT_TRUE(store.HelperFailed());
    EXPECT_NE(std::string(store.LastHelperError()).find("changed"), std::string::npos)
        << store.LastHelperError();
    EXPECT_EQ(testutil::ReadText(db), Without(text, blocks, {2}));
}

TEST_F(HelperPrograms, LoadingFailsWithAReasonAUserCanActOn) {
    testutil::WriteText(data + "letter.vcf", "Dear Ann,\r\nthis is no address book.\r\n");
    struct Case {
        std::string database;
        const char* reason;
    } cases[] = {
        {data + "missing.vcf", "the file does not exist"},
        {"PRIMAR1/PELLORA!!names.nsf", "Domino server"},
        {data + "letter.vcf", "is not a vCard file"},
        {"", "No contacts database"},
    };
    for (const Case& c : cases) {
        testutil::WriteText(work + "LNAddr.dat", "stale");
        CxLNAddrUtil store;
        Configure(store);
        store.SetAddrFile(c.database.c_str());
        EXPECT_FALSE(store.Load()) << c.database;
        EXPECT_TRUE(store.HelperFailed()) << c.database;
        EXPECT_NE(std::string(store.LastHelperError()).find(c.reason), std::string::npos)
            << store.LastHelperError();
        EXPECT_EQ(GetFileAttributesA((work + "LNAddr.dat").c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(Running("LNAddr.ini"), 0);
    }
}

TEST_F(HelperPrograms, AReadOnlyDatabaseStaysAsItWas) {
    std::string db = Copy(DemoPath("contacts.vcf"), "names.vcf");
    std::string original = testutil::ReadText(db);
    CxLNAddrUtil store;
    Configure(store);
    store.SetAddrFile(db.c_str());
    ASSERT_TRUE(store.Load());
    SetFileAttributesA(db.c_str(), FILE_ATTRIBUTE_READONLY);
    store.MarkForDeletion(store.GetRecordIndex()->First());
    EXPECT_TRUE(store.Submit());
    SetFileAttributesA(db.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(store.HelperFailed());
    EXPECT_NE(std::string(store.LastHelperError()).find("read-only"), std::string::npos)
        << store.LastHelperError();
    EXPECT_EQ(testutil::ReadText(db), original);
    EXPECT_TRUE(Backups(db).empty());
}

TEST_F(HelperPrograms, StopEndsALoadEarly) {
    // A large address book, so that the helper is still at work when it is asked to stop.
    std::string big;
    for (int i = 0; i < 60000; ++i)
        big += "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Person " + std::to_string(i) +
               "\r\nN:" + std::to_string(i) + ";Person;;;\r\nEMAIL:p" + std::to_string(i) +
               "@x.example\r\nEND:VCARD\r\n";
    testutil::WriteText(data + "big.vcf", big);
    CxLNAddrUtil store;
    Configure(store);
    store.SetDebugEnabled(false);
    store.SetAddrFile((data + "big.vcf").c_str());
    std::atomic<bool> bDone{false};
    std::string ini = work + "LNAddr.ini";
    std::thread stopper([&] {
        while (!bDone && GetPrivateProfileIntA("Status", "Running", 0, ini.c_str()) != 1)
            Sleep(5);
        WritePrivateProfileStringA("Status", "Stop", "1", ini.c_str());
    });
    bool bLoaded = store.Load();
    bDone = true;
    stopper.join();
    EXPECT_FALSE(bLoaded);
    EXPECT_NE(std::string(store.LastHelperError()).find("stopped"), std::string::npos)
        << store.LastHelperError();
    EXPECT_EQ(Running("LNAddr.ini"), 0);
}

TEST_F(HelperPrograms, RealFilesOfOtherProgramsLoadAndApplyByteExactly) {
    struct Case {
        const char* file;
        const char* component;
    } cases[] = {
        {"evolution.vcf", "VCARD"},
        {"vcard40-full.vcf", "VCARD"},
        {"outlook-2010.ics", "VEVENT"},
        {"google-alarms.ics", "VEVENT"},
        {"events-todos-journal.ics", "VEVENT"},
        {"events-todos-journal.ics", "VTODO"},
        {"events-todos-journal.ics", "VJOURNAL"},
    };
    for (const Case& c : cases) {
        std::string db = Copy(CorpusPath(c.file), c.file);
        std::string original = testutil::ReadText(db);
        std::vector<Block> blocks = Blocks(original, c.component);
        ASSERT_FALSE(blocks.empty()) << c.file;
        std::unique_ptr<CxLNBaseUtil> store;
        std::string component = c.component;
        if (component == "VCARD") {
            auto* p = new CxLNAddrUtil;
            p->SetAddrFile(db.c_str());
            store.reset(p);
        } else if (component == "VEVENT") {
            store.reset(new CxLNDateUtil);
        } else if (component == "VTODO") {
            store.reset(new CxLNTaskUtil);
        } else {
            store.reset(new CxLNNoteUtil);
        }
        Configure(*store);
        store->SetDatabase(db.c_str());
        ASSERT_TRUE(store->Load()) << c.file << ": " << store->LastHelperError();
        EXPECT_FALSE(store->HelperFailed()) << c.file << ": " << store->LastHelperError();
        // Delete the last entry of the kind.
        bool bMarked = false;
        if (auto* a = dynamic_cast<CxLNAddrUtil*>(store.get())) {
            ASSERT_EQ(a->GetRecordIndex()->Count(), blocks.size()) << c.file;
            auto* last = a->GetRecordIndex()->First();
            for (auto* e = last; e != nullptr; e = a->GetRecordIndex()->Next())
                last = e;
            bMarked = a->MarkForDeletion(last);
        } else if (auto* d = dynamic_cast<CxLNDateUtil*>(store.get())) {
            auto* last = d->GetRecordIndex()->First();
            for (auto* e = last; e != nullptr; e = d->GetRecordIndex()->Next())
                last = e;
            bMarked = d->MarkForDeletion(last);
        } else if (auto* t = dynamic_cast<CxLNTaskUtil*>(store.get())) {
            bMarked = t->MarkForDeletion(t->GetRecordIndex()->First());
            ASSERT_EQ(blocks.size(), 1u);
        } else if (auto* n = dynamic_cast<CxLNNoteUtil*>(store.get())) {
            bMarked = n->MarkForDeletion(n->GetRecordIndex()->First());
            ASSERT_EQ(blocks.size(), 1u);
        }
        ASSERT_TRUE(bMarked) << c.file;
        ASSERT_TRUE(store->Submit()) << c.file;
        EXPECT_FALSE(store->HelperFailed()) << c.file << ": " << store->LastHelperError();
        EXPECT_EQ(testutil::ReadText(db), Without(original, blocks, {blocks.size() - 1})) << c.file;
        for (const std::string& b : Backups(db))
            DeleteFileA(b.c_str());
    }
}

} // namespace
