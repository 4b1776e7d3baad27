#pragma once
// The answer list for grading a class set: a heading, then one row per
// numbered copy with its model answers, "(1) … (2) …", wrapped to the paper
// and continued over as many pages as it needs. The rows come from core
// (CopyVariants::AnswerList); this only draws them.

#include <QPagedPaintDevice>
#include <QPainter>
#include <string>
#include <vector>

#include "random/copy_variants.h"

namespace tavolo {

struct AnswerListHeading {
  std::string unitTitle;
  std::string shortName;    // the sheet-number line's unit name
  std::string fingerprint;  // empty for a unit without random data
};

// Draws the list on painter's device from the page it is on (begun by the
// caller, blank), adding pages as the rows need them. False when the device
// refuses a new page.
bool DrawAnswerList(QPainter& painter, QPagedPaintDevice& device, const AnswerListHeading& heading,
                    const std::vector<AnswerListRow>& rows);

}  // namespace tavolo
