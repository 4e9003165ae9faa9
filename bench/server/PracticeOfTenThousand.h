#pragma once

// A practice of many years on the server that TELVARIN_TEST_SERVER names (scripts/with-postgres
// sets it): 10,000 cases, shared by the server's and the windows' benchmarks.

#include "server/ServerHistoryStore.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace telvarin::bench {

constexpr int kPracticeCases = 10000;

// Empty without a practice server.
inline std::string practiceServerUri() {
    const char* uri = std::getenv("TELVARIN_TEST_SERVER");
    return uri != nullptr ? uri : "";
}

// A benchmark cannot go on without its server: says why and ends.
inline std::unique_ptr<ServerHistoryStore> openPracticeStore() {
    auto opened = ServerHistoryStore::open(practiceServerUri());
    if (auto* message = std::get_if<std::string>(&opened)) {
        std::fprintf(stderr, "%s\n", message->c_str());
        std::exit(1);
    }
    return std::move(std::get<std::unique_ptr<ServerHistoryStore>>(opened));
}

// 10,000 cases of two treatments with eight symptoms each, some weighted, and what was
// prescribed, replacing what the server held.
inline void fillPractice(ServerHistoryStore& store) {
    CaseHistory history;
    for (int c = 0; c < kPracticeCases; ++c) {
        HistoryCase historyCase{Windows1252Text("Patient " + std::to_string(c)), {}};
        for (int t = 0; t < 2; ++t) {
            Treatment treatment{"01.0" + std::to_string(t + 1) + ".2024 10:00",
                                "Kontrolle"_w1252,
                                0,
                                {},
                                {"nux-v."_w1252, "C30"_w1252, {}}};
            for (int s = 0; s < 8; ++s)
                treatment.symptoms.push_back({(c * 16 + t * 8 + s) % 60000 + 1, 0, s % 5});
            historyCase.treatments.push_back(std::move(treatment));
        }
        history.cases.push_back(std::move(historyCase));
    }
    if (!store.replace(history, RecordedRepertory{"Kent"_w1252, "0123456789abcdef", ""})
             .saved())
        std::exit(1);
}

} // namespace telvarin::bench
