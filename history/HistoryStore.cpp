#include "history/HistoryStore.h"

namespace telvarin {
namespace {

class FileHistoryStore final : public HistoryStore {
public:
    explicit FileHistoryStore(std::string path) : path_(std::move(path)) {}

    std::string location() const override { return path_; }
    bool isServer() const override { return false; }
    CaseHistory load(ErrorReporter* reporter) override { return loadHistory(path_, reporter); }
    RepertoryRecord record() override { return readRepertoryRecord(path_); }

    HistorySaveResult file(Windows1252View name, Windows1252View comment,
                           std::span<const CaseSymptom> caseRows, const LocalDateTime& now,
                           ErrorReporter* reporter, const HistoryFileAccess& access,
                           const Prescription& prescription) override {
        return fileTreatmentInHistoryFile(path_, name, comment, caseRows, now, reporter, access,
                                          prescription);
    }
    HistorySaveResult remove(CaseHistory& window, const HistoryCase& shownCase,
                             const Treatment* shownTreatment, ErrorReporter* reporter,
                             const HistoryFileAccess& access) override {
        return deleteFromHistoryFile(window, shownCase, shownTreatment, reporter, access);
    }
    HistorySaveResult import(CaseHistory& window, const HistoryImport& import, ErrorReporter* reporter,
                             const HistoryFileAccess& access) override {
        return importHistory(window, import, reporter, access);
    }
    HistorySaveResult exportTo(CaseHistory& window, const std::string& target, ErrorReporter* reporter,
                               const HistoryFileAccess& access) override {
        return exportHistory(window, target, reporter, access);
    }
    HistorySaveResult bind(const RepertoryIdentity& repertory, const HistoryFileAccess& access) override {
        return bindHistory(path_, repertory, access);
    }

private:
    std::string path_;
};

} // namespace

std::unique_ptr<HistoryStore> fileHistoryStore(const std::string& path) {
    return std::make_unique<FileHistoryStore>(path);
}

bool isServerLocation(std::string_view location) {
    return location.starts_with("postgresql://") || location.starts_with("postgres://");
}

HistoryBinding storeBinding(HistoryStore& store, const CaseHistory& history,
                            const ProgramRepertories& program) {
    return historyBinding(store.record(), holdsNumbers(history), largestRubricNumberIn(history), program);
}

} // namespace telvarin
