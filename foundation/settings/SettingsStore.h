#pragma once

// The per-user store of preferences, window placements and column widths. A value is addressed by
// a section ("" for the program's own key, "Dialog\Eingabe", "Spalten\Textsuche", ...) and a name.
// Integers are 32-bit; an absent, unreadable or wrongly typed value reads as the caller's default.

#include <QString>
#include <QVariant>
#include <map>
#include <memory>
#include <optional>
#include <utility>

class QSettings;

namespace telvarin {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual int readInt(const QString& section, const QString& name, int defaultValue) const = 0;
    virtual bool writeInt(const QString& section, const QString& name, int value) = 0;
    virtual QString readString(const QString& section, const QString& name,
                               const QString& defaultValue = QString()) const = 0;
    virtual bool writeString(const QString& section, const QString& name, const QString& value) = 0;
};

// Sections are written with backslashes as on the registry; the stores separate with "/" only, so
// both spellings address the same section.
QString normalizedSection(const QString& section);

// The stored integer of a value as the store hands it back, or nothing when it is not a 32-bit
// integer. Text counts only when it is a whole decimal number, because the configuration file of
// the native format keeps no types.
std::optional<int> storedInt(const QVariant& value);

// The store of the running program: QSettings with organisation "Kesto" and application
// "OrvandWCE" in the native format (the registry on Windows, the user's configuration file
// elsewhere), or an INI file at a given path.
class QSettingsStore : public SettingsStore {
public:
    QSettingsStore();
    explicit QSettingsStore(const QString& iniFilePath);
    ~QSettingsStore() override;

    QSettingsStore(const QSettingsStore&) = delete;
    QSettingsStore& operator=(const QSettingsStore&) = delete;

    int readInt(const QString& section, const QString& name, int defaultValue) const override;
    bool writeInt(const QString& section, const QString& name, int value) override;
    QString readString(const QString& section, const QString& name,
                       const QString& defaultValue = QString()) const override;
    bool writeString(const QString& section, const QString& name, const QString& value) override;

private:
    QVariant read(const QString& section, const QString& name) const;
    bool write(const QString& section, const QString& name, const QVariant& value);

    std::unique_ptr<QSettings> settings_;
};

// A store in memory that keeps the type of every value, for tests. Writes can be made to fail
// after a given number of successful ones, to imitate a store that breaks down half-way.
class MemorySettingsStore : public SettingsStore {
public:
    int readInt(const QString& section, const QString& name, int defaultValue) const override;
    bool writeInt(const QString& section, const QString& name, int value) override;
    QString readString(const QString& section, const QString& name,
                       const QString& defaultValue = QString()) const override;
    bool writeString(const QString& section, const QString& name, const QString& value) override;

    bool contains(const QString& section, const QString& name) const;
    int valueCount() const { return static_cast<int>(values_.size()); }
    int writeCount() const { return writeCount_; }
    // std::nullopt lets every write succeed again.
    void failWritesAfter(std::optional<int> successfulWrites) { writesLeft_ = successfulWrites; }

private:
    using Key = std::pair<QString, QString>;
    bool write(const QString& section, const QString& name, QVariant value);

    std::map<Key, QVariant> values_;
    std::optional<int> writesLeft_;
    int writeCount_ = 0;
};

} // namespace telvarin
