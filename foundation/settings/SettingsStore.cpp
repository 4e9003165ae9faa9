#include "foundation/settings/SettingsStore.h"

#include <QSettings>
#include <limits>

namespace telvarin {

namespace {

QString settingsKey(const QString& section, const QString& name) {
    const QString group = normalizedSection(section);
    return group.isEmpty() ? name : group + QLatin1Char('/') + name;
}

bool fitsInt(qlonglong value) {
    return value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
}

} // namespace

QString normalizedSection(const QString& section) {
    QString group = section;
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (group.startsWith(QLatin1Char('/')))
        group.remove(0, 1);
    while (group.endsWith(QLatin1Char('/')))
        group.chop(1);
    return group;
}

std::optional<int> storedInt(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Int:
        return value.toInt();
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong: {
        bool ok = false;
        const qlonglong wide = value.toLongLong(&ok);
        if (ok && fitsInt(wide))
            return static_cast<int>(wide);
        return std::nullopt;
    }
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        const QString text = value.toString();
        bool ok = false;
        // Base 10 only: "0x10" or " 7" in a hand-edited file is text, not a number.
        const qlonglong wide = text.toLongLong(&ok, 10);
        if (ok && fitsInt(wide) && !text.isEmpty() && !text.front().isSpace() && !text.back().isSpace())
            return static_cast<int>(wide);
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

QSettingsStore::QSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            QStringLiteral("Kesto"), QStringLiteral("OrvandWCE"))) {}

QSettingsStore::QSettingsStore(const QString& iniFilePath)
    : settings_(std::make_unique<QSettings>(iniFilePath, QSettings::IniFormat)) {}

QSettingsStore::~QSettingsStore() = default;

QVariant QSettingsStore::read(const QString& section, const QString& name) const {
    return settings_->value(settingsKey(section, name));
}

bool QSettingsStore::write(const QString& section, const QString& name, const QVariant& value) {
    if (!settings_->isWritable())
        return false;
    settings_->setValue(settingsKey(section, name), value);
    // Each write goes to disk at once, so that a value reported as written survives a crash and a
    // full or read-only disk is reported to the caller.
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

int QSettingsStore::readInt(const QString& section, const QString& name, int defaultValue) const {
    return storedInt(read(section, name)).value_or(defaultValue);
}

bool QSettingsStore::writeInt(const QString& section, const QString& name, int value) {
    return write(section, name, QVariant(value));
}

QString QSettingsStore::readString(const QString& section, const QString& name,
                                   const QString& defaultValue) const {
    const QVariant value = read(section, name);
    return value.typeId() == QMetaType::QString ? value.toString() : defaultValue;
}

bool QSettingsStore::writeString(const QString& section, const QString& name, const QString& value) {
    return write(section, name, QVariant(value));
}

int MemorySettingsStore::readInt(const QString& section, const QString& name, int defaultValue) const {
    const auto found = values_.find({normalizedSection(section), name});
    if (found == values_.end() || found->second.typeId() != QMetaType::Int)
        return defaultValue;
    return found->second.toInt();
}

bool MemorySettingsStore::writeInt(const QString& section, const QString& name, int value) {
    return write(section, name, QVariant(value));
}

QString MemorySettingsStore::readString(const QString& section, const QString& name,
                                        const QString& defaultValue) const {
    const auto found = values_.find({normalizedSection(section), name});
    if (found == values_.end() || found->second.typeId() != QMetaType::QString)
        return defaultValue;
    return found->second.toString();
}

bool MemorySettingsStore::writeString(const QString& section, const QString& name, const QString& value) {
    return write(section, name, QVariant(value));
}

bool MemorySettingsStore::contains(const QString& section, const QString& name) const {
    return values_.count({normalizedSection(section), name}) != 0;
}

bool MemorySettingsStore::write(const QString& section, const QString& name, QVariant value) {
    if (writesLeft_) {
        if (*writesLeft_ <= 0)
            return false;
        --*writesLeft_;
    }
    ++writeCount_;
    values_[{normalizedSection(section), name}] = std::move(value);
    return true;
}

} // namespace telvarin
