// The recent-file list, titles and "already open", without windows.

#include "document/OpenDocuments.h"

#include <gtest/gtest.h>

#include "DemoDocumentTest.h"

namespace tavrel::test {
namespace {

using Paths = std::vector<std::string>;

TEST(RecentFiles, AddsToTheFrontOnceAndKeepsTheNewestFour) {
  struct Case {
    const char* name;
    Paths before;
    std::string added;
    Paths after;
  };
  for (const Case& c : {
           Case{"into an empty list", {}, "a", {"a"}},
           Case{"before the others", {"a", "b"}, "c", {"c", "a", "b"}},
           Case{"moved to the front", {"a", "b", "c"}, "c", {"c", "a", "b"}},
           Case{"the first stays first", {"a", "b"}, "a", {"a", "b"}},
           Case{"the oldest drops off", {"a", "b", "c", "d"}, "e", {"e", "a", "b", "c"}},
           Case{"one of four moved", {"a", "b", "c", "d"}, "d", {"d", "a", "b", "c"}},
       }) {
    MemorySettings settings;
    RecentFiles recent(settings);
    for (auto path = c.before.rbegin(); path != c.before.rend(); ++path) recent.Add(*path);
    ASSERT_EQ(recent.Paths(), c.before) << c.name;
    recent.Add(c.added);
    EXPECT_EQ(recent.Paths(), c.after) << c.name;
    EXPECT_EQ(RecentFiles(settings).Paths(), c.after) << c.name << ": kept in the settings";
  }
}

TEST(RecentFiles, AFileRemovedLeavesTheOthersInOrder) {
  MemorySettings settings;
  RecentFiles recent(settings);
  for (const char* path : {"d", "c", "b", "a"}) recent.Add(path);
  recent.Remove("b");
  EXPECT_EQ(recent.Paths(), (Paths{"a", "c", "d"}));
  recent.Remove("not listed");
  EXPECT_EQ(recent.Paths(), (Paths{"a", "c", "d"}));
  EXPECT_EQ(settings.ReadString("Recent File List", "File4", "unset"), "") << "the freed entry is emptied";
}

TEST(RecentFiles, ReadsTheStoredEntriesSkippingEmptyOnes) {
  MemorySettings settings;
  settings.WriteString("Recent File List", "File1", "/cars/one.cs3");
  settings.WriteString("Recent File List", "File3", "/cars/three.cs3");
  settings.WriteString("Recent File List", "File5", "/cars/five.cs3");
  EXPECT_EQ(RecentFiles(settings).Paths(), (Paths{"/cars/one.cs3", "/cars/three.cs3"}));
}

TEST(OpenDocuments, UntitledNamesCountUp) {
  UntitledNames names;
  EXPECT_EQ(names.Next(), "car1");
  EXPECT_EQ(names.Next(), "car2");
}

TEST(OpenDocuments, WindowTitlesAreNumberedWhenADocumentHasMore) {
  struct Case {
    std::size_t index;
    std::size_t count;
    std::string_view jam;
    std::string expected;
  };
  for (const Case& c : {Case{0, 1, "", "car1 *"}, Case{0, 2, "", "car1 *:1"}, Case{1, 2, "", "car1 *:2"},
                        Case{0, 1, "test.jam", "car1 * - test.jam"}, Case{2, 3, "test.jam", "car1 *:3 - test.jam"}})
    EXPECT_EQ(WindowTitle("car1 *", c.index, c.count, c.jam), c.expected);
}

class OpenDocumentsTest : public DemoDocumentTest {};

TEST_F(OpenDocumentsTest, TitlesMarkUnsavedChanges) {
  document.SetUntitledName("car1");
  EXPECT_EQ(DocumentTitle(document), "car1");
  EXPECT_EQ(MainWindowTitle(nullptr), "Zav Tavrel");
  ASSERT_TRUE(document.Open(Game() / "cars" / "demo.cs3"));
  EXPECT_EQ(MainWindowTitle(&document), "Zav Tavrel - demo.cs3");
  Vertex& point = document.GetCar()->m_Points.front();
  const PointValues before{point.m_X, point.m_Y, point.m_Z};
  point.m_X += 10;
  document.MovePoint(point, before);
  ASSERT_TRUE(document.IsModified());
  EXPECT_EQ(DocumentTitle(document), "demo.cs3 *");
  EXPECT_EQ(MainWindowTitle(&document), "Zav Tavrel - demo.cs3 *");
}

TEST_F(OpenDocumentsTest, AFileIsFoundOpenUnderAnyOfItsNames) {
  std::filesystem::copy_file(Game() / "cars" / "demo.cs3", dir / "car.cs3");
  std::filesystem::create_symlink(dir / "car.cs3", dir / "link.cs3");
  ASSERT_TRUE(document.Open(dir / "car.cs3"));
  Document untitled{program, messages, chooser};
  const std::vector<Document*> open = {&untitled, &document};

  EXPECT_EQ(DocumentWithFile(open, dir / "car.cs3"), &document);
  EXPECT_EQ(DocumentWithFile(open, dir / "link.cs3"), &document);
  EXPECT_EQ(DocumentWithFile(open, dir / "." / ".." / dir.path().filename() / "car.cs3"), &document);
  const InFolder inFolder(dir.path());
  EXPECT_EQ(DocumentWithFile(open, "car.cs3"), &document);
  EXPECT_EQ(DocumentWithFile(open, "other.cs3"), nullptr);
  EXPECT_EQ(DocumentWithFile(open, ""), nullptr) << "an untitled document has no file";
}

}  // namespace
}  // namespace tavrel::test
