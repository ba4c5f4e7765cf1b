#include "playback/document_text.h"

#include <gtest/gtest.h>

#include "platform/cp932.h"
#include "support/fake_file_system.h"

namespace koru {
namespace {

TEST(DocumentText, LineEndsAndNul) {
  EXPECT_EQ(DocumentText(std::string("a\rb\nc\r\nd\n\re\0f", 13)), u"a\r\nb\r\nc\r\nd\r\n\r\ne f");
  EXPECT_EQ(DocumentText(""), u"");
}

TEST(DocumentText, ByteOrderMarksChooseTheEncoding) {
  EXPECT_EQ(DocumentText("\xEF\xBB\xBF\xE8\xA1\xA8\n"), u"表\r\n");
  EXPECT_EQ(DocumentText(std::string("\xFF\xFE\x68\x88\x0A\x00", 6)), u"表\r\n");
  EXPECT_EQ(DocumentText("\x95\x5C\x0A"), u"表\r\n") << "code page 932 without a mark";
  EXPECT_EQ(DocumentText("\xEF\xBB\xBF\xFF\x41"), u"\uFFFDA") << "ill-formed UTF-8";
}

TEST(DocumentText, AtMostOneMebibyteAndNoHalfCharacterAtTheCut) {
  std::string bytes(kDocumentBytes - 1, 'a');
  bytes += "\x95\x5C";  // its trail byte lies beyond the cut
  const std::u16string text = DocumentText(bytes);
  EXPECT_EQ(text.size(), kDocumentBytes - 1);
  EXPECT_EQ(text.back(), u'a');

  std::string utf16 = "\xFF\xFE";
  for (std::size_t i = 0; i < kDocumentBytes; ++i) utf16 += 'b';
  EXPECT_EQ(DocumentText(utf16).size(), (kDocumentBytes - 2) / 2);
  EXPECT_EQ(DocumentText("\xEF\xBB\xBF\x61\xE8\xA1"), u"a") << "a UTF-8 character cut off";
  EXPECT_EQ(DocumentText(std::string("\xFF\xFE\x3D\xD8", 4)), u"") << "a surrogate pair cut off";
}

class DocumentLookup : public ::testing::Test {
 protected:
  testing::FakeFileSystem files;
  Settings settings{files, "C:\\KORU\\", SystemVersion{5, 1, 2600, 2}};
};

TEST_F(DocumentLookup, FirstDocumentExtensionThatExists) {
  const std::string first = settings.NthExtension(file_category::kDocument, 0);
  const std::string second = settings.NthExtension(file_category::kDocument, 1);
  ASSERT_FALSE(second.empty());
  files.AddFile("C:\\m\\song." + second, "second");
  EXPECT_EQ(FindDocument(files, settings, "C:\\m\\song.mid"), "C:\\m\\song." + second);
  files.AddFile("C:\\m\\song." + first, "first");
  EXPECT_EQ(FindDocument(files, settings, "C:\\m\\song.mid"), "C:\\m\\song." + first) << "the table's order";
  EXPECT_EQ(LoadDocument(files, settings, "C:\\m\\song.mid"), u"first");
  EXPECT_EQ(FindDocument(files, settings, "C:\\m\\other.mid"), std::nullopt);
  EXPECT_EQ(LoadDocument(files, settings, "C:\\m\\other.mid"), std::nullopt);
}

TEST_F(DocumentLookup, UnreadableDocumentShowsNothing) {
  const std::string path = "C:\\m\\song." + settings.NthExtension(file_category::kDocument, 0);
  files.AddFile(path, "text");
  files.FailReadsOf(path);
  EXPECT_EQ(LoadDocument(files, settings, "C:\\m\\song.mid"), std::nullopt);
}

}  // namespace
}  // namespace koru
