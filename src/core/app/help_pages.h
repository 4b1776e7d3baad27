#pragma once
// Where the course keeps its help: HTML pages in the course's "help" folder,
// "index.html" for the contents and "<context>.html" for a numbered topic,
// and the supplement page "hosoku.htm" beside Main.ind.

#include <filesystem>
#include <string_view>

namespace tavolo {

// The contents page.
std::filesystem::path HelpContentsPath(std::string_view courseFolder);
// The page of one help topic, e.g. 901 -> help/901.html.
std::filesystem::path HelpTopicPath(std::string_view courseFolder, int context);
// The supplement page.
std::filesystem::path SupplementPagePath(std::string_view courseFolder);

}  // namespace tavolo
