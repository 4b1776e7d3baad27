#include "app/help_pages.h"

#include <string>

#include "platform/paths.h"

namespace tavolo {

std::filesystem::path HelpContentsPath(std::string_view courseFolder) {
  return CoursePath(courseFolder, "help/index.html");
}

std::filesystem::path HelpTopicPath(std::string_view courseFolder, int context) {
  return CoursePath(courseFolder, "help/" + std::to_string(context) + ".html");
}

std::filesystem::path SupplementPagePath(std::string_view courseFolder) {
  return CoursePath(courseFolder, "hosoku.htm");
}

}  // namespace tavolo
