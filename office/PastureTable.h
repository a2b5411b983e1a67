#pragma once
// The table of pastures the Buy, Sell and weather windows share: one row per
// pasture, the columns each window asks for, and the selection kept on the
// same pasture when the table is filled again.
#include <QTableWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "economy/Economy.h"

class TPastureTable : public QTableWidget {
 public:
  // A column: its caption and what it shows of a pasture.
  struct TColumn {
    QString caption;
    std::function<QString(const TPasture&)> value;
  };

  explicit TPastureTable(QWidget* parent = nullptr);

  void Fill(const std::vector<TPasture>& pastures, const std::vector<TColumn>& columns);
  // The selected pasture's id, if a row is selected.
  std::optional<std::uint16_t> Selected() const;
  // Selects the pasture's row, if it is listed.
  void Select(std::uint16_t id);

 private:
  std::vector<std::uint16_t> ids_;
};

// Days the standing grass feeds the herd (all of it, with no herd: none).
std::optional<std::int64_t> ForageDays(const TPasture& pasture);
