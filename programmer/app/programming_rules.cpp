#include "programming_rules.h"

#include <algorithm>

namespace burnet {

namespace {

constexpr int kSavedNameChars = 16;
const QString kEllipsis = QStringLiteral("...");

// Windows paths (a drive or a server, backslashes) keep their separator; others use '/'.
QChar separatorOf(const QString& path) {
    return path.contains(QLatin1Char('\\')) && !path.contains(QLatin1Char('/')) ? QLatin1Char('\\') : QLatin1Char('/');
}

}  // namespace

QString AbbreviatePath(const QString& path, int maxChars) {
    if (path.size() <= maxChars) return path;
    const QChar sep = separatorOf(path);
    QStringList parts = path.split(sep);
    // The root: a drive ("C:"), the server of a UNC path ("\\server"), or nothing before a
    // leading separator.
    int rootParts = 1;
    if (path.startsWith(QString(2, sep))) rootParts = 3;
    if (parts.size() <= rootParts + 2) return parts.last();
    const QString head = QStringList(parts.mid(0, rootParts + 1)).join(sep) + sep + kEllipsis;
    const QStringList rest = parts.mid(rootParts + 1);
    for (qsizetype keep = rest.size() - 1; keep >= 1; --keep) {
        const QString candidate = head + sep + QStringList(rest.mid(rest.size() - keep)).join(sep);
        if (candidate.size() <= maxChars) return candidate;
    }
    return parts.last();
}

std::vector<const DeviceRow*> RowsForDeviceList(const QByteArray& codes) {
    std::vector<const DeviceRow*> rows;
    for (char code : codes)
        if (const DeviceRow* row = FindRowByCode(static_cast<std::uint8_t>(code))) rows.push_back(row);
    return rows;
}

QStringList SortedDeviceNames(const std::vector<const DeviceRow*>& rows) {
    QStringList names;
    for (const DeviceRow* row : rows) names << QString::fromLatin1(row->name);
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

int RestoredDeviceEntry(const QStringList& entries, const QString& savedName) {
    int found = -1;
    for (qsizetype i = 0; i < entries.size(); ++i)
        if (entries[i].left(kSavedNameChars) == savedName) found = static_cast<int>(i);
    return found;
}

bool BootSizeFromFuses(BootSizeRule rule) {
    return rule == BootSizeRule::FuseHighMax1024 || rule == BootSizeRule::FuseHighMax2048 ||
           rule == BootSizeRule::FuseHighMax4096;
}

std::uint32_t BootSectionWords(BootSizeRule rule, std::uint8_t fuseHigh) {
    const unsigned shift = (fuseHigh >> 1) & 3;
    switch (rule) {
        case BootSizeRule::None: return 0;
        case BootSizeRule::FuseHighMax1024: return 1024u >> shift;
        case BootSizeRule::FuseHighMax2048: return 2048u >> shift;
        case BootSizeRule::FuseHighMax4096: return 4096u >> shift;
        case BootSizeRule::Fixed512: return 512;
    }
    return 0;
}

namespace {

std::uint32_t bootStart(std::uint32_t flashSize, std::uint32_t bootWords) {
    return 2 * bootWords >= flashSize ? 0 : flashSize - 2 * bootWords;
}

}  // namespace

// The highest address is the last byte transferred, so a transfer that ends on the first
// byte of the boot section already enters it.
bool EntersBootArea(std::uint32_t flashSize, std::uint32_t bootWords, std::uint32_t highest) {
    if (bootWords == 0 || flashSize == 0) return false;
    return std::min(highest, flashSize - 1) >= bootStart(flashSize, bootWords);
}

std::uint32_t BootLimit(std::uint32_t flashSize, std::uint32_t bootWords) {
    const std::uint32_t start = bootStart(flashSize, bootWords);
    return start == 0 ? 0 : start - 1;
}

}  // namespace burnet
