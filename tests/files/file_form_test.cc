#include "files/file_form.h"

#include <gtest/gtest.h>

#include "engine/compact_lines.h"
#include "files/html_name.h"
#include "files/text_encoding.h"

namespace quarnel {
namespace {

const std::string kSignature = std::string(SignatureLine) + "\r\n";

TEST(FormatFileTest, NonEmptyLinesEachEndInCrLf) {
  EXPECT_EQ(FormatFile({"<html>", "", "a\nb", "", "</html>"}, {}), "<html>\r\na\nb\r\n</html>\r\n");
  EXPECT_EQ(FormatFile({""}, {}), "");
}

TEST(FormatFileTest, ByteOrderMarkThenSignatureFirst) {
  FileFrame frame;
  frame.byte_order_mark = kUtf8ByteOrderMark;
  frame.write_signature = true;
  EXPECT_EQ(FormatFile({"<!DOCTYPE html>", "<head>"}, frame),
            std::string(kUtf8ByteOrderMark) + kSignature + "<!DOCTYPE html>\r\n<head>\r\n");
  frame.write_signature = false;
  EXPECT_EQ(FormatFile({"x"}, frame), std::string(kUtf8ByteOrderMark) + "x\r\n");
}

TEST(FormatFileTest, HeadLinesAfterTheFirstHeadLineOnlyWhenOn) {
  const ItemList head = {"a", "", " b "};
  FileFrame frame;
  frame.head_lines = &head;
  const LineList lines = {"<html>", "", "<HeAd><title>t</title>", "<head>", "</head>"};
  frame.insert_head_lines = true;
  EXPECT_EQ(FormatFile(lines, frame),
            "<html>\r\n<HeAd><title>t</title>\r\na\r\n\r\n b \r\n<head>\r\n</head>\r\n");
  frame.insert_head_lines = false;
  EXPECT_EQ(FormatFile(lines, frame), "<html>\r\n<HeAd><title>t</title>\r\n<head>\r\n</head>\r\n");
}

TEST(FormatFileTest, NoHeadLineMeansNoInsertion) {
  const ItemList head = {"a"};
  FileFrame frame;
  frame.head_lines = &head;
  frame.insert_head_lines = true;
  frame.write_signature = true;
  // "<head " with attributes is not "<HEAD>".
  EXPECT_EQ(FormatFile({"<head lang=ja>", "x"}, frame), kSignature + "<head lang=ja>\r\nx\r\n");
}

TEST(IsHtmlNameTest, EndOfTheWholePathInAnyCase) {
  for (const char* yes : {"index.HTM", "a.html", "b.shtml", "c.sht", "xhtml", "d.XHTML",
                          "dir/e.Htm", "HTM", "f.sHt"}) {
    EXPECT_TRUE(IsHtmlName(yes)) << yes;
  }
  for (const char* no : {"d.txt", "e.htmx", "", "tm", "a.html/", "a.html.bak", "page.ht"}) {
    EXPECT_FALSE(IsHtmlName(no)) << no;
  }
}

}  // namespace
}  // namespace quarnel
