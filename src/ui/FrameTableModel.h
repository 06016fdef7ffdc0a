// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "ui/Pass.h"

namespace ui {

// The frames of every pass as a table: the pass, the time, the eleven fields and every
// telemetry column, with the same columns as veskar-decode's CSV. Cells are made when
// shown, so a year of passes costs no more than the rows on screen. SortRole gives the
// number of a cell where it has one, for sorting by value.
class FrameTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    static constexpr int SortRole = Qt::UserRole;

    explicit FrameTableModel(QObject* parent = nullptr);

    // The passes live in the caller; call passAdded or recordAdded after each change.
    void setPasses(const std::vector<Pass>* shownPasses);
    void passAdded();
    void recordAdded(std::size_t pass);

    FrameRef frameAt(int row) const { return rows.at(static_cast<std::size_t>(row)); }
    int rowOf(FrameRef frame) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    const std::vector<Pass>* passes = nullptr;
    std::vector<FrameRef> rows;
    // The first row of each pass, for rowOf.
    std::vector<std::size_t> firstRows;
};

}  // namespace ui
