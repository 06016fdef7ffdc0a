// SPDX-License-Identifier: MIT
#include "ui/FrameTableModel.h"

#include "check/writers/TelemetryColumns.h"
#include "ui/CodePage.h"

namespace ui {
namespace {

// Pass, time, the fields, the telemetry columns, the decoding error.
constexpr int passColumn = 0;
constexpr int timeColumn = 1;
constexpr int firstFieldColumn = 2;
constexpr int firstTelemetryColumn = firstFieldColumn + static_cast<int>(check::fieldCount);

int telemetryColumnCount() {
    return static_cast<int>(check::telemetryColumns().size());
}

int errorColumn() {
    return firstTelemetryColumn + telemetryColumnCount();
}

}  // namespace

FrameTableModel::FrameTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void FrameTableModel::setPasses(const std::vector<Pass>* shownPasses) {
    beginResetModel();
    passes = shownPasses;
    rows.clear();
    firstRows.clear();
    for (std::size_t pass = 0; passes != nullptr && pass < passes->size(); ++pass) {
        firstRows.push_back(rows.size());
        for (std::size_t record = 0; record < (*passes)[pass].records.size(); ++record) {
            rows.push_back({pass, record});
        }
    }
    endResetModel();
}

void FrameTableModel::passAdded() {
    const std::size_t pass = passes->size() - 1;
    const auto count = static_cast<int>((*passes)[pass].records.size());
    const int first = static_cast<int>(rows.size());
    firstRows.push_back(rows.size());
    if (count == 0) {
        return;
    }
    beginInsertRows({}, first, first + count - 1);
    for (std::size_t record = 0; record < static_cast<std::size_t>(count); ++record) {
        rows.push_back({pass, record});
    }
    endInsertRows();
}

// A new record of a pass: this run's passes are first, so its row goes after the pass's.
void FrameTableModel::recordAdded(std::size_t pass) {
    const std::size_t record = (*passes)[pass].records.size() - 1;
    const std::size_t at = pass + 1 < firstRows.size() ? firstRows[pass + 1] : rows.size();
    beginInsertRows({}, static_cast<int>(at), static_cast<int>(at));
    rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(at), {pass, record});
    for (std::size_t later = pass + 1; later < firstRows.size(); ++later) {
        ++firstRows[later];
    }
    endInsertRows();
}

int FrameTableModel::rowOf(FrameRef frame) const {
    if (frame.pass >= firstRows.size()) {
        return -1;
    }
    return static_cast<int>(firstRows[frame.pass] + frame.record);
}

int FrameTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows.size());
}

int FrameTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : errorColumn() + 1;
}

QVariant FrameTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() ||
        (role != Qt::DisplayRole && role != SortRole && role != Qt::DecorationRole)) {
        return {};
    }
    const FrameRef frame = rows.at(static_cast<std::size_t>(index.row()));
    const Pass& pass = (*passes)[frame.pass];
    const check::CheckRecord& record = pass.records[frame.record];
    const int column = index.column();
    if (column == passColumn) {
        if (role == Qt::DecorationRole) {
            return pass.colour;
        }
        return role == SortRole ? QVariant(static_cast<qulonglong>(index.row())) : pass.name;
    }
    if (role == Qt::DecorationRole) {
        return {};
    }
    if (column == timeColumn) {
        return role == SortRole ? QVariant(static_cast<qlonglong>(record.decoded.time))
                                : QString::fromStdString(check::isoTime(record.decoded.time));
    }
    if (column < firstTelemetryColumn) {
        return QString::fromStdString(
            check::rawText(record.decoded, static_cast<std::size_t>(column - firstFieldColumn)));
    }
    if (column < errorColumn()) {
        const auto& telemetry =
            check::telemetryColumns()[static_cast<std::size_t>(column - firstTelemetryColumn)];
        const check::TelemetryCell cell = telemetry.cell(record.decoded);
        if (role == SortRole && cell.number) {
            return *cell.number;
        }
        return QString::fromStdString(cell.text);
    }
    return record.decodingError ? fromCp932(*record.decodingError) : QString();
}

QVariant FrameTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return section + 1;
    }
    if (section == passColumn) {
        return QStringLiteral("pass");
    }
    if (section == timeColumn) {
        return QStringLiteral("time_utc");
    }
    if (section < firstTelemetryColumn) {
        return QString::fromLatin1(
            check::frameFields[static_cast<std::size_t>(section - firstFieldColumn)].name);
    }
    if (section < errorColumn()) {
        return QString::fromStdString(
            check::telemetryColumns()[static_cast<std::size_t>(section - firstTelemetryColumn)]
                .name);
    }
    return QStringLiteral("decoding_error");
}

}  // namespace ui
