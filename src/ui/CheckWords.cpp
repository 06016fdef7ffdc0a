// SPDX-License-Identifier: MIT
#include "ui/CheckWords.h"

#include <QCoreApplication>

#include "check/FrameSummary.h"
#include "ui/CodePage.h"

namespace ui {
namespace {

// "03:04:05" from the newest heading "Input at 2010-01-02 03:04:05UTC".
QString newestHeadingTime(const std::string& resultText) {
    static const std::string heading = "Input at ";
    constexpr std::size_t dateLength = 11;  // "2010-01-02 "
    constexpr std::size_t timeLength = 8;
    const std::size_t at = resultText.rfind(heading);
    if (at == std::string::npos ||
        at + heading.size() + dateLength + timeLength > resultText.size()) {
        return {};
    }
    return QString::fromStdString(resultText.substr(at + heading.size() + dateLength, timeLength));
}

}  // namespace

QString decodingErrorInWords(const std::string& message) {
    // Only the status word's getters can meet a state code without a name.
    return QCoreApplication::translate("ui::CheckWords", "The status word could not be decoded: %1")
        .arg(fromCp932(message));
}

QString checkAnnouncement(const std::string& resultText, const check::CheckOutcome& outcome) {
    const QString time = newestHeadingTime(resultText);
    if (outcome.decodingError) {
        return QCoreApplication::translate("ui::CheckWords", "Check at %1 UTC: %2")
            .arg(time, decodingErrorInWords(*outcome.decodingError));
    }
    int faults = 0;
    int limits = 0;
    int copied = 0;
    for (const check::SummaryLine& line : check::summarizeCheck(outcome)) {
        faults += line.health == check::Health::Fault ? 1 : 0;
        limits += line.health == check::Health::Limit ? 1 : 0;
        copied += line.health != check::Health::NotCopied ? 1 : 0;
    }
    QStringList parts;
    if (faults > 0) {
        parts << (faults == 1
                      ? QCoreApplication::translate("ui::CheckWords", "1 fault")
                      : QCoreApplication::translate("ui::CheckWords", "%1 faults").arg(faults));
    }
    if (limits > 0) {
        parts << QCoreApplication::translate("ui::CheckWords", "%1 at a limit").arg(limits);
    }
    if (parts.isEmpty()) {
        parts << (copied > 0 ? QCoreApplication::translate("ui::CheckWords", "all normal")
                             : QCoreApplication::translate("ui::CheckWords", "no item copied"));
    }
    return QCoreApplication::translate("ui::CheckWords", "Check at %1 UTC: %2")
        .arg(time, parts.join(QStringLiteral(", ")));
}

}  // namespace ui
