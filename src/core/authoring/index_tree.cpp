#include "authoring/index_tree.h"

namespace tavolo {

IndexTree BuildIndexTree(const LessonIndex& index, const UnitMarkLookup& marks) {
  IndexTree tree;
  tree.title = index.title;
  tree.sections.reserve(index.sections.size());
  int s = 0;
  for (const Section& section : index.sections) {
    ++s;
    IndexTreeSection node{section.caption, {}};
    node.unitRows.reserve(section.units.size());
    int u = 0;
    for (const std::string& caption : section.units) {
      ++u;
      node.unitRows.push_back(marks ? marks(s, u) + caption : caption);
    }
    tree.sections.push_back(std::move(node));
  }
  return tree;
}

}  // namespace tavolo
