#pragma once
// Numbered copies of a sheet whose unit holds random data: copy n shows
// variant n, with its own answers. The sheet's parameters stay the teacher's
// (layout, fonts, boxes, placed figures); only the question and choice lines
// change from copy to copy. A unit without a block gives every copy the
// sheet as it is.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "content/unit_content.h"
#include "sheet/answer_box_registry.h"
#include "sheet/page_renderer.h"
#include "sheet/sheet_params.h"

namespace tavolo {

// One row of the answer list a teacher grades a class set with.
struct AnswerListRow {
  int number = 0;                    // the copy's sheet number
  std::vector<std::string> answers;  // its model answers, in order
  bool operator==(const AnswerListRow&) const = default;
};

// Held apart from the engine's headers, so that the print target and the
// windows that hold this do not compile the engine's.
class RandomUnit;

// A drawn block has more variants than any class practises.
inline constexpr std::int64_t kDrawnPracticeVariants = 1'000'000;

class CopyVariants {
 public:
  // content: the unit as read, before any variant was put in.
  explicit CopyVariants(const UnitContent& content);
  ~CopyVariants();
  CopyVariants(const CopyVariants&) = delete;
  CopyVariants& operator=(const CopyVariants&) = delete;

  bool HasRandomData() const { return random_; }
  // The block as read and counted, for opening the sheet from it.
  const RandomUnit& Unit() const { return *unit_; }
  // The block's fingerprint; empty for a unit without one.
  const std::string& Fingerprint() const { return fingerprint_; }
  // How many copies in a row differ: the number of combinations when the
  // block is small enough to be listed whole (copy n + count repeats copy n).
  // None when each copy is drawn on its own, for a unit without a block, or
  // for a block that cannot be drawn from.
  std::optional<std::uint64_t> DistinctCount() const;

  // Puts variant n's question and choice lines into params, leaving every
  // other value as it is. Nothing changes for a unit without a block.
  void PutVariant(int n, SheetParams& params) const;

  // Lines the sheet does not hold (hints) with variant n's values in; as
  // written when they cannot be (the course check tells why).
  std::vector<std::string> FilledLines(int n, const std::vector<std::string>& lines) const;
  // How many variants a practice run draws among: every variant of an
  // enumerated block, else kDrawnPracticeVariants.
  std::int64_t PracticeChoices() const;

  // Copies first .. first + count - 1, each with the model answers of its
  // own variant (every row the same for a unit without a block).
  std::vector<AnswerListRow> AnswerList(int first, int count) const;

 private:
  std::unique_ptr<RandomUnit> unit_;
  bool random_ = false;
  std::string fingerprint_;
};

// The page one numbered copy draws and the renderer that draws it.
struct CopyPage {
  SheetPage page;
  PageRenderer& renderer;
  // The copy's screen picture registers its own boxes, into a registry of the
  // copies' own (never the sheet's): where its answers stand differs from the
  // sheet on screen when its numbers are wider or narrower.
  bool registersBoxes = false;
};

// Makes the page of every copy of one print job from the sheet's page, after
// the screen render that filled the sheet's registry.
class CopyPages {
 public:
  CopyPages(const CopyVariants& variants, const SheetPage& sheet, PageRenderer& sheetRenderer,
            const AnswerBoxRegistry& sheetBoxes);
  CopyPages(const CopyPages&) = delete;
  CopyPages& operator=(const CopyPages&) = delete;

  // The page of the copy numbered `number`; valid until the next call.
  CopyPage Page(int number);

 private:
  const CopyVariants& variants_;
  SheetPage sheet_;
  PageRenderer& sheetRenderer_;
  const AnswerBoxRegistry& sheetBoxes_;
  SheetParams params_;
  PageLayout layout_;
  AnswerBoxRegistry boxes_;
  PageRenderer renderer_{boxes_};
};

}  // namespace tavolo
