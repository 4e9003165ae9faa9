#include "history/HistoryFile.h"
#include "server/HistoryStores.h"
#include "server/ServerConnection.h"
#include "server/ServerHistoryStore.h"
#include "tools/HistoryCommand.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <mutex>
#include <regex>
#include <set>
#include <sstream>
#include <thread>

namespace telvarin {
namespace {

using namespace std::chrono_literals;

std::string serverUri() {
    const char* uri = std::getenv("TELVARIN_TEST_SERVER");
    return uri != nullptr ? uri : "";
}

// Each test starts on an empty database: the program creates its tables anew.
class ServerHistoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        uri_ = serverUri();
        if (uri_.empty())
            GTEST_SKIP() << "no practice server (run under scripts/with-postgres)";
        auto opened = ServerConnection::open(uri_);
        ASSERT_TRUE(std::holds_alternative<std::unique_ptr<ServerConnection>>(opened));
        ASSERT_TRUE(std::get<std::unique_ptr<ServerConnection>>(opened)
                        ->exec("DROP TABLE IF EXISTS telvarin_symptom, telvarin_treatment, telvarin_case, "
                               "telvarin_binding, telvarin_schema")
                        .ok());
    }

    std::unique_ptr<ServerHistoryStore> open() {
        auto opened = ServerHistoryStore::open(uri_);
        if (auto* message = std::get_if<std::string>(&opened))
            ADD_FAILURE() << *message;
        return std::move(std::get<std::unique_ptr<ServerHistoryStore>>(opened));
    }

    std::string uri_;
};

std::vector<CaseSymptom> rows(std::initializer_list<int> numbers) {
    std::vector<CaseSymptom> result;
    for (const int number : numbers) {
        CaseSymptom row;
        row.number = number;
        result.push_back(row);
    }
    return result;
}

RepertoryIdentity repertory(const std::string& name, const std::string& numbering, int largest) {
    RepertoryIdentity identity;
    identity.name = Windows1252Text(name);
    identity.numbering = numbering;
    identity.largestRubricNumber = largest;
    return identity;
}

TEST_F(ServerHistoryTest, FourWritersAtOnceKeepEveryTreatment) {
    constexpr int kWriters = 4;
    constexpr int kFilings = 100;
    std::vector<std::thread> writers;
    std::atomic<int> failures = 0;
    for (int w = 0; w < kWriters; ++w) {
        writers.emplace_back([&, w] {
            auto opened = ServerHistoryStore::open(uri_);
            if (!std::holds_alternative<std::unique_ptr<ServerHistoryStore>>(opened)) {
                failures += kFilings;
                return;
            }
            auto& store = *std::get<std::unique_ptr<ServerHistoryStore>>(opened);
            for (int i = 0; i < kFilings; ++i) {
                // Half of them into one shared case, so that writers meet on the same rows.
                const std::string name = i % 2 == 0 ? "Gemeinsam" : "Schreiber " + std::to_string(w);
                if (!store
                         .file(Windows1252Text(name),
                               Windows1252Text(std::to_string(w) + "/" + std::to_string(i)),
                               rows({w + 1, i + 1}), {}, nullptr, {})
                         .saved())
                    ++failures;
            }
        });
    }
    for (std::thread& writer : writers)
        writer.join();
    EXPECT_EQ(failures, 0);
    const CaseHistory history = open()->load(nullptr);
    ASSERT_EQ(history.cases.size(), 1u + kWriters);
    std::set<std::string> comments;
    for (const HistoryCase& c : history.cases) {
        for (const Treatment& t : c.treatments)
            comments.insert(t.comment.bytes());
    }
    EXPECT_EQ(comments.size(), static_cast<std::size_t>(kWriters * kFilings));
}

// The postmaster's process, from the first line of its pid file.
pid_t postmasterPid() {
    const char* pgctl = std::getenv("TELVARIN_TEST_PGCTL");
    const std::filesystem::path data = std::filesystem::path(pgctl).parent_path() / "data" / "postmaster.pid";
    std::ifstream in(data);
    pid_t pid = 0;
    in >> pid;
    return pid;
}

void startServer() {
    const std::string start = std::string(std::getenv("TELVARIN_TEST_PGCTL")) + " start -w >/dev/null 2>&1";
    // The killed server's processes may need a moment to notice and go.
    for (int attempt = 0; attempt < 50 && std::system(start.c_str()) != 0; ++attempt)
        std::this_thread::sleep_for(200ms);
}

TEST_F(ServerHistoryTest, WhatWasReportedFiledSurvivesAKilledServer) {
    if (std::getenv("TELVARIN_TEST_PGCTL") == nullptr)
        GTEST_SKIP() << "the server cannot be killed and started from here";
    open();
    std::mutex mutex;
    std::vector<std::string> reportedFiled;
    std::atomic<bool> stop = false;
    std::atomic<int> filed = 0;
    std::vector<std::thread> writers;
    for (int w = 0; w < 3; ++w) {
        writers.emplace_back([&, w] {
            auto opened = ServerHistoryStore::open(uri_);
            ASSERT_TRUE(std::holds_alternative<std::unique_ptr<ServerHistoryStore>>(opened));
            auto& store = *std::get<std::unique_ptr<ServerHistoryStore>>(opened);
            for (int i = 0; !stop; ++i) {
                const std::string comment = std::to_string(w) + "/" + std::to_string(i);
                if (store
                        .file(Windows1252Text("Fall " + std::to_string(w)), Windows1252Text(comment),
                              rows({i + 1}), {}, nullptr, {})
                        .saved()) {
                    const std::lock_guard lock(mutex);
                    reportedFiled.push_back(comment);
                    ++filed;
                }
            }
        });
    }
    while (filed < 60)
        std::this_thread::sleep_for(1ms);
    ASSERT_EQ(::kill(postmasterPid(), SIGKILL), 0);
    std::this_thread::sleep_for(300ms);
    stop = true;
    for (std::thread& writer : writers)
        writer.join();
    startServer();

    const CaseHistory history = open()->load(nullptr);
    ASSERT_FALSE(history.unreadable);
    std::set<std::string> there;
    for (const HistoryCase& c : history.cases) {
        for (const Treatment& t : c.treatments)
            there.insert(t.comment.bytes());
    }
    for (const std::string& comment : reportedFiled)
        EXPECT_TRUE(there.contains(comment)) << comment << " was reported filed but is gone";
    EXPECT_GE(reportedFiled.size(), 60u);
}

TEST_F(ServerHistoryTest, AHistoryMovesOntoTheServerAndBackWithItsRepertory) {
    const std::filesystem::path folder = std::filesystem::path(TELVARIN_TEST_OUTPUT_DIR) / "move";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    CaseHistory original;
    original.path = (folder / "historie.xml").string();
    original.cases = {{"M\xFCller"_w1252,
                       {{"01.02.2020 10:00",
                         "erste\r\nZeile\t\\"_w1252,
                         2,
                         {{12, 0}, {-40, 0, 0}, {7, 3, 4}},
                         {"nux-v."_w1252, "C30"_w1252, "abends\r\n\xFC"_w1252}},
                        {"03.02.2020 11:00", {}, 0, {}}}},
                      {"\xC4rmel"_w1252, {}}};
    ASSERT_TRUE(saveHistory(original).saved());
    const RecordedRepertory record{"Kent \x84"
                                   "deutsch\x93"_w1252,
                                   "0123456789abcdef", ""};

    ASSERT_TRUE(moveOntoServer(uri_, original, record).saved());
    auto store = open();
    CaseHistory onServer = store->load(nullptr);
    EXPECT_EQ(onServer.cases, original.cases);
    EXPECT_EQ(store->record().recorded, record);

    const std::string back = (folder / "zurueck.xml").string();
    ASSERT_TRUE(store->exportTo(onServer, back, nullptr, {}).saved());
    EXPECT_EQ(loadHistory(back, nullptr).cases, original.cases);
    EXPECT_EQ(readRepertoryRecord(back).recorded, record);

    // Cases of another repertory do not replace these.
    const HistorySaveResult refused =
        moveOntoServer(uri_, original, RecordedRepertory{"Anderes"_w1252, "fedcba9876543210", ""});
    EXPECT_EQ(refused.status, HistorySaveStatus::Refused);
    EXPECT_EQ(store->load(nullptr).cases, original.cases);
}

TEST_F(ServerHistoryTest, TheToolMovesAFileOntoTheServerAndBackByteForByte) {
    const std::filesystem::path folder = std::filesystem::path(TELVARIN_TEST_OUTPUT_DIR) / "tool-move";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    CaseHistory original;
    original.path = (folder / "historie.xml").string();
    original.cases = {{"Adler"_w1252,
                       {{"01.02.2020 10:00",
                         "Kopf"_w1252,
                         0,
                         {{12, 0, 3}, {5, 2, 0}},
                         {"sulph."_w1252, "LM6"_w1252, {}}}}}};
    ASSERT_TRUE(saveHistory(original).saved());
    ASSERT_TRUE(writeRepertoryRecord(original.path, {"Kent"_w1252, "0123456789abcdef", ""}));
    const auto tool = [](std::vector<std::string> words, std::string* printed = nullptr) {
        std::ostringstream out;
        std::ostringstream err;
        const int exitCode = runHistoryCommand(words, std::nullopt, out, err);
        EXPECT_EQ(exitCode, 0) << err.str();
        if (printed != nullptr)
            *printed = out.str();
    };
    tool({original.path, "--write", uri_});
    std::string outline;
    tool({uri_}, &outline);
    EXPECT_NE(outline.find("Fall \"Adler\" (1 Behandlung)"), std::string::npos) << outline;
    EXPECT_EQ(outline.find(std::regex_replace(uri_, std::regex(".*:([^:@/]*)@.*"), "$1")), std::string::npos)
        << "the password is shown";
    const std::string back = (folder / "zurueck.xml").string();
    tool({uri_, "--write", back});
    std::ifstream first(original.path, std::ios::binary);
    std::ifstream second(back, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(first), {}),
              std::string(std::istreambuf_iterator<char>(second), {}));
    EXPECT_EQ(readRepertoryRecord(back).recorded.numbering, "0123456789abcdef");
}

TEST_F(ServerHistoryTest, FilingChecksAndRecordsTheRepertoryAsTheFileDoes) {
    auto store = open();
    const ProgramRepertories kent{repertory("Kent", "1111111111111111", 70000), {}};
    const ProgramRepertories other{repertory("Klein", "2222222222222222", 500), {}};
    HistoryFileAccess access;
    access.repertories = &kent;
    ASSERT_TRUE(store->file("Fall"_w1252, ""_w1252, rows({60000}), {}, nullptr, access).saved());
    EXPECT_EQ(store->record().recorded.numbering, "1111111111111111");
    access.repertories = &other;
    EXPECT_EQ(store->file("Fall"_w1252, ""_w1252, rows({1}), {}, nullptr, access).status,
              HistorySaveStatus::OtherRepertory);
    EXPECT_EQ(store->bind(other.inUse, access).status, HistorySaveStatus::Refused); // 60000 > 500
    EXPECT_EQ(store->load(nullptr).cases.at(0).treatments.size(), 1u);
}

TEST_F(ServerHistoryTest, DeletingWhatAnotherWorkstationChangedIsRefusedAsGone) {
    auto store = open();
    ASSERT_TRUE(store->file("Fall"_w1252, "a"_w1252, rows({1}), {}, nullptr, {}).saved());
    CaseHistory window = store->load(nullptr);
    ASSERT_TRUE(open()->file("Fall"_w1252, "b"_w1252, rows({2}), {}, nullptr, {}).saved());
    // The case as shown lacks the new treatment: it is not deleted unseen.
    const HistoryCase shown = window.cases.at(0);
    EXPECT_EQ(store->remove(window, shown, nullptr, nullptr, {}).status, HistorySaveStatus::Gone);
    EXPECT_EQ(window.cases.at(0).treatments.size(), 2u);
    const Treatment first = window.cases.at(0).treatments.at(0);
    ASSERT_TRUE(store->remove(window, window.cases.at(0), &first, nullptr, {}).saved());
    EXPECT_EQ(store->load(nullptr).cases.at(0).treatments.at(0).comment, "b"_w1252);
}

TEST_F(ServerHistoryTest, AWrongPasswordOrNoServerIsNamedWithTheReason) {
    const std::string wrong = std::regex_replace(uri_, std::regex(":[^:@/]*@"), ":Geheimnis42@");
    auto opened = openHistoryStore(wrong);
    ASSERT_TRUE(std::holds_alternative<std::string>(opened));
    const std::string& message = std::get<std::string>(opened);
    EXPECT_NE(message.find("Kennwort"), std::string::npos) << message;
    EXPECT_NE(message.find("127.0.0.1"), std::string::npos) << message;
    EXPECT_EQ(message.find("Geheimnis42"), std::string::npos) << "the password is shown: " << message;

    auto unreachable = openHistoryStore("postgresql://telvarin@127.0.0.1:1/praxis");
    ASSERT_TRUE(std::holds_alternative<std::string>(unreachable));
    EXPECT_NE(std::get<std::string>(unreachable).find("nicht erreichbar"), std::string::npos);
}

TEST_F(ServerHistoryTest, TablesOfANewerProgramAreRefusedAndLeftAlone) {
    auto store = open();
    store->file("Fall"_w1252, ""_w1252, rows({1}), {}, nullptr, {});
    auto admin = ServerConnection::open(uri_);
    auto& connection = *std::get<std::unique_ptr<ServerConnection>>(admin);
    const std::string newer = std::to_string(ServerHistoryStore::kSchemaVersion + 1);
    ASSERT_TRUE(connection.exec(("UPDATE telvarin_schema SET version = " + newer).c_str()).ok());
    auto opened = ServerHistoryStore::open(uri_);
    ASSERT_TRUE(std::holds_alternative<std::string>(opened));
    EXPECT_NE(std::get<std::string>(opened).find("Version " + newer), std::string::npos);
    // A program that opened them before the update does not write them either.
    const HistorySaveResult filed = store->file("Fall"_w1252, ""_w1252, rows({2}), {}, nullptr, {});
    EXPECT_EQ(filed.status, HistorySaveStatus::WriteFailed);
    EXPECT_NE(filed.message.find("Version " + newer), std::string::npos) << filed.message;
    EXPECT_EQ(connection.exec("SELECT count(*) FROM telvarin_treatment").number(0, 0), 1);
}

TEST_F(ServerHistoryTest, TablesOfVersionOneAreUpdatedAndFilingsKeepWeightsAndPrescriptions) {
    open()->file("Alt"_w1252, ""_w1252, rows({1}), {}, nullptr, {});
    auto admin = ServerConnection::open(uri_);
    auto& connection = *std::get<std::unique_ptr<ServerConnection>>(admin);
    ASSERT_TRUE(
        connection
            .script("ALTER TABLE telvarin_symptom DROP COLUMN weight; ALTER TABLE telvarin_treatment "
                    "DROP COLUMN remedy, DROP COLUMN potency, DROP COLUMN note; UPDATE telvarin_schema "
                    "SET version = 1")
            .ok());
    auto store = open();
    std::vector<CaseSymptom> weighted = rows({5, 6});
    weighted[1].weight = 0;
    const Prescription prescription{"nux-v."_w1252, "C30"_w1252, "abends\r\nnicht morgens"_w1252};
    ASSERT_TRUE(store->file("Neu"_w1252, ""_w1252, weighted, {}, nullptr, {}, prescription).saved());
    const CaseHistory history = store->load(nullptr);
    ASSERT_EQ(history.cases.size(), 2u);
    EXPECT_EQ(history.cases[0].treatments.at(0).symptoms.at(0).weight, kUsualWeight);
    EXPECT_TRUE(history.cases[0].treatments.at(0).prescription.empty());
    const Treatment& filed = history.cases[1].treatments.at(0);
    EXPECT_EQ(filed.prescription, prescription);
    EXPECT_EQ(filed.symptoms, (std::vector<SymptomRef>{{5, 0, 1}, {6, 0, 0}}));
    // A program of version 1 still running cannot write them without the new columns.
    const ServerResult older = connection.exec("INSERT INTO telvarin_treatment (id, case_id, position, "
                                               "date_stamp, comment) VALUES (9, 1, 9, '', '')");
    EXPECT_NE(older.error().find("remedy"), std::string::npos) << older.error();
}

TEST_F(ServerHistoryTest, VerifyFullWithTheCaFileConnects) {
    const char* tls = std::getenv("TELVARIN_TEST_SERVER_TLS");
    if (tls == nullptr)
        GTEST_SKIP() << "no TLS address";
    auto opened = openHistoryStore(tls);
    EXPECT_TRUE(std::holds_alternative<std::unique_ptr<HistoryStore>>(opened))
        << std::get<std::string>(opened);
    // Without the CA the same server is not trusted.
    const std::string untrusted =
        std::regex_replace(tls, std::regex("&sslrootcert=[^&]*"), "&sslrootcert=/dev/null");
    EXPECT_TRUE(std::holds_alternative<std::string>(openHistoryStore(untrusted)));
}

} // namespace
} // namespace telvarin
