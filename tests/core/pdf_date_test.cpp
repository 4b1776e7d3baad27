// The creation date of a printed PDF is the program's clock, written over the
// one the drawing library put there, without moving any byte after it.

#include "sheet/pdf_date.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace tavolo {
namespace {

constexpr DateTime kWhen{2026, 12, 8, 9, 30, 5};

TEST(PdfDateTest, TheDateIsReplacedInPlaceWhateverZoneItHad) {
  struct Case {
    std::string head;
    std::string expected;
  };
  const Case cases[] = {
      {"%PDF-1.4\n<<\n/CreationDate (D:20251231235959Z)\n>>\n",
       "%PDF-1.4\n<<\n/CreationDate (D:20261208093005) \n>>\n"},
      {"<<\n/CreationDate (D:20240101000000+09'00')\n>>",
       "<<\n/CreationDate (D:20261208093005)       \n>>"},
      {"/CreationDate (D:20240101000000-05'30')/Producer (x)",
       "/CreationDate (D:20261208093005)       /Producer (x)"},
      {"/Title (a)\n/CreationDate\n(D:20240101000000Z)\n",
       "/Title (a)\n/CreationDate\n(D:20261208093005) \n"},
      // Only the first date: a second one further on is page content.
      {"/CreationDate (D:20240101000000Z) (D:20240101000000Z)",
       "/CreationDate (D:20261208093005)  (D:20240101000000Z)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.head);
    std::string head = c.head;
    ASSERT_TRUE(StampPdfCreationDate(head, kWhen));
    EXPECT_EQ(head, c.expected);
  }
}

TEST(PdfDateTest, HeadsWithoutAUsableDateAreLeftAlone) {
  const std::string heads[] = {
      "",
      "%PDF-1.4\n<< /Title (x) >>\n",
      "/CreationDate <443a32303234>",     // not a literal date string
      "/CreationDate (D:20240101000000",  // cut off
      "/CreationDate (D:2024)",           // too short for a full date
  };
  for (const std::string& original : heads) {
    SCOPED_TRACE(original);
    std::string head = original;
    EXPECT_FALSE(StampPdfCreationDate(head, kWhen));
    EXPECT_EQ(head, original);
  }
  std::string head = "/CreationDate (D:20240101000000Z)";
  EXPECT_FALSE(StampPdfCreationDate(head, DateTime{12026, 1, 1, 0, 0, 0}));
}

TEST(PdfDateTest, AFileIsStampedThroughItsDescriptor) {
  char name[] = "/tmp/tavolo-pdf-date-XXXXXX";
  const int fd = ::mkstemp(name);
  ASSERT_GE(fd, 0);
  std::string body = "%PDF-1.4\n1 0 obj\n<<\n/CreationDate (D:20250102030405+01'00')\n>>\n";
  body += std::string(10000, 'x');  // a page stream far past the date
  ASSERT_EQ(::write(fd, body.data(), body.size()), static_cast<ssize_t>(body.size()));
  EXPECT_TRUE(StampPdfFileCreationDate(fd, kWhen));
  std::string back(body.size() + 10, '\0');
  const ssize_t got = ::pread(fd, back.data(), back.size(), 0);
  back.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  EXPECT_EQ(back.size(), body.size());
  EXPECT_NE(back.find("/CreationDate (D:20261208093005)       \n>>"), std::string::npos);
  EXPECT_EQ(back.substr(back.size() - 10000), std::string(10000, 'x'));
  ::close(fd);
  std::remove(name);

  EXPECT_FALSE(StampPdfFileCreationDate(-1, kWhen));
}

}  // namespace
}  // namespace tavolo
