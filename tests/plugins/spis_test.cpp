// Finding and loading the plug-ins: the folders and their order, the kind of each plug-in,
// files that are no plug-in, the events, the registration of the decoders' formats and the
// order in which decoders are offered a file.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <typeindex>

#include "plugins/SPIBmp.h"
#include "plugins/SPIs.h"
#include "plugins/UserPaths.h"
#include "plugins/plugin_fixture.h"

namespace kyrovane::test {
namespace {

namespace fs = std::filesystem;

// The plug-ins of the program's folder that load, in the order of their names; noinfo.spi and
// nopicture.spi lack entry points their kinds require.
const std::vector<std::pair<std::string, std::type_index>> kProgramFolder = {
    {"archive", typeid(TAmSPI)}, {"extension", typeid(TXnSPI)}, {"faulty", typeid(TInSPI)},
    {"kypx", typeid(TInSPI)},    {"letters", typeid(TInSPI)},   {"other", typeid(TSPI)},
    {"png", typeid(TInSPI)},
};

// Whether the file is mapped into this process.
bool IsLoaded(const fs::path& file) {
  std::ifstream maps("/proc/self/maps");
  for (std::string line; std::getline(maps, line);) {
    if (line.ends_with(" " + fs::canonical(file).string())) return true;
  }
  return false;
}

// Set in the copy of this test program that the next test runs.
constexpr const char* kInTrustedFolder = "KYROVANE_TEST_PROGRAM_IN_TRUSTED_FOLDER";

// The program's folder is that of the running program, and the build tree may lie where others
// can write (as /tmp): the search runs in a copy of this test program that lies with the test
// plug-ins in a folder where they are trusted.
TEST(SPIsSearch, TheRegistryFolderComesFirstThenTheProgramFolderAndOtherFilesArePassedOver) {
  if (std::getenv(kInTrustedFolder) == nullptr) {
    const TempDir program = TrustedTempDir();
    for (const fs::directory_entry& plugin : fs::directory_iterator(TestPluginFolder())) {
      fs::copy_file(plugin.path(), program / plugin.path().filename().string());
    }
    fs::copy_file("/proc/self/exe", program / "plugin_tests");
    const ::testing::TestInfo& self = *::testing::UnitTest::GetInstance()->current_test_info();
    const CommandResult run = test::Run(
        std::string(kInTrustedFolder) + "=1 " + ShellQuote((program / "plugin_tests").string()) +
        " --gtest_filter=" + self.test_suite_name() + "." + self.name());
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("[  PASSED  ] 1 test."), std::string::npos) << run.out;
    return;
  }
  ScopedRegistry registry;
  const TempDir user = TrustedTempDir();
  fs::copy_file(TestPlugin("png"), user / "a.spi");
  fs::copy_file(TestPlugin("kypx"), user / "b.SPI");
  fs::copy_file(TestPlugin("kypx"), user / ".hidden.spi");
  fs::copy_file(TestPlugin("kypx"), user / "c.spi.old");
  fs::create_directory(user / "d.spi");
  WriteFile(user / "e.spi", "not a shared object");
  registry.SetPluginFolder(user.path());

  TSPIs spis;
  spis.Loaded();
  std::vector<std::pair<fs::path, std::type_index>> expected = {{user / "a.spi", typeid(TInSPI)},
                                                                {user / "b.SPI", typeid(TInSPI)}};
  for (const auto& [name, kind] : kProgramFolder) {
    expected.emplace_back(ProgramFolder() / (name + ".spi"), kind);
  }
  ASSERT_EQ(spis.Count(), static_cast<int>(expected.size()));
  for (int i = 0; i < spis.Count(); ++i) {
    EXPECT_EQ(spis.Items(i).FileName, fs::canonical(expected[i].first));
    EXPECT_EQ(std::type_index(typeid(spis.Items(i))), expected[i].second) << expected[i].first;
  }
}

TEST(SPIsSearch, AFolderNamedTwiceLoadsEachPluginOnce) {
  ScopedRegistry registry;
  registry.SetPluginFolder(TestPluginFolder() / "." / "");
  TSPIs spis;
  spis.SearchOptions = spsSusieDir | spsCurrentDir;
  fs::current_path(TestPluginFolder());
  spis.Search("*.spi");
  EXPECT_EQ(spis.Count(), static_cast<int>(kProgramFolder.size()));
  EXPECT_EQ(
      spis.IndexOfFileName(TestPluginFolder() / ".." / TestPluginFolder().filename() / "png.spi"),
      spis.Count() - 1);
}

TEST(SPIsSearch, APluginReachedUnderManyNamesInManyFoldersIsLoadedOnce) {
  const TempDir user = TrustedTempDir(), other = TrustedTempDir();
  fs::copy_file(TestPlugin("kypx"), user / "b.spi");
  fs::create_symlink("b.spi", user / "a.spi");
  fs::create_hard_link(user / "b.spi", user / "c.spi");
  fs::create_hard_link(user / "b.spi", other / "d.spi");
  TSPIs spis;
  spis.Search((user / "*.spi").string());
  spis.Search((other / "*.spi").string());
  ASSERT_EQ(spis.Count(), 1);
  EXPECT_EQ(spis.Items(0).FileName, fs::canonical(user / "b.spi"));
}

// A plug-in runs inside the program: it is loaded only when no one but the user and root can
// change it, nor any folder on the way to it, nor any folder on the way of the links to it.
TEST(SPIsSearch, PluginsThatOthersCouldChangeArePassedOverOnceWithTheFileOrFolderThatIsOpen) {
  const TempDir root = TrustedTempDir();
  const auto folder = [&root](const std::string& name, fs::perms mode) {
    fs::create_directory(root / name);
    fs::permissions(root / name, mode);
    return root / name;
  };
  const auto plugin = [](const fs::path& file, fs::perms mode) {
    fs::copy_file(TestPlugin("kypx"), file);
    fs::permissions(file, mode);
  };
  const fs::path safe = folder("safe", fs::perms(0755)), inner = folder("inner", fs::perms(0755));
  const fs::path shared = folder("shared", fs::perms(01777)),
                 open = folder("open", fs::perms(0777));
  const fs::path group = folder("group", fs::perms(0775));
  plugin(safe / "a.spi", fs::perms(0644));
  plugin(safe / "b.spi", fs::perms(0664));
  plugin(safe / "c.spi", fs::perms(0646));
  plugin(shared / "d.spi", fs::perms(0644));
  fs::create_symlink(shared / "d.spi", safe / "e.spi");  // the file is safe, its folder not
  plugin(inner / "g.spi", fs::perms(0644));
  fs::create_symlink(inner / "g.spi", open / "middle");
  fs::create_symlink("../open/middle", safe / "f.spi");  // both ends safe, the middle not
  fs::create_directory(group / "deep");
  plugin(group / "deep" / "h.spi", fs::perms(0644));
  const fs::path deep = group / "deep";

  const std::string file = "所有者以外も書き換えられるファイル ";
  const std::string openFolder = "所有者以外も書き換えられるフォルダー ";
  std::vector<std::pair<fs::path, std::string>> expected = {
      {safe / "b.spi", file + (safe / "b.spi").string() + " です"},
      {safe / "c.spi", file + (safe / "c.spi").string() + " です"},
      {safe / "e.spi", openFolder + shared.string() + " にあります"},
      {safe / "f.spi", openFolder + open.string() + " にあります"},
      {deep / "h.spi", openFolder + group.string() + " にあります"}};
  std::vector<fs::path> searched = {safe, shared, safe, deep};
  if (geteuid() == 0) {
    // Another user's plug-in, though no one else may write it or its folder.
    constexpr uid_t kOtherUser = 4242;
    const fs::path mine = folder("mine", fs::perms(0755)),
                   theirs = folder("theirs", fs::perms(0755));
    plugin(mine / "i.spi", fs::perms(0755));
    plugin(theirs / "j.spi", fs::perms(0755));
    for (const fs::path& path : {mine / "i.spi", theirs, theirs / "j.spi"}) {
      ASSERT_EQ(chown(path.c_str(), kOtherUser, kOtherUser), 0);
    }
    expected.push_back({mine / "i.spi",
                        "ほかのユーザーが所有するファイル " + (mine / "i.spi").string() + " です"});
    expected.push_back({theirs / "j.spi",
                        "ほかのユーザーが所有するフォルダー " + theirs.string() + " にあります"});
    searched.insert(searched.end(), {mine, theirs});
  }

  TSPIs spis;
  for (const fs::path& searchedFolder : searched) spis.Search((searchedFolder / "*.spi").string());
  ASSERT_EQ(spis.Count(), 1);
  EXPECT_EQ(spis.Items(0).FileName, fs::canonical(safe / "a.spi"));
  std::vector<std::pair<fs::path, std::string>> passedOver;
  for (const TPassedOverSPI& passed : spis.PassedOver) {
    passedOver.emplace_back(passed.FileName, passed.Reason);
  }
  EXPECT_EQ(passedOver, expected);
  EXPECT_FALSE(IsLoaded(shared / "d.spi"));
  EXPECT_FALSE(IsLoaded(inner / "g.spi"));
}

// Folders of root are trusted as the user's own, which shows only when the user is not root.
TEST(SPIsSearch, AnOrdinaryUsersPluginBelowFoldersOfRootLoads) {
  const fs::path place = TrustedPlaceForOrdinaryUser();
  if (place.empty()) {
    GTEST_SKIP() << "neither the build tree nor /run is a folder that only root can change, "
                    "which an ordinary user may enter and run plug-ins from";
  }
  const TempDir user(place);
  fs::copy_file(TestPlugin("kypx"), user / "a.spi");
  const std::string outcome = AsOrdinaryUser(user.path(), [&] {
    TSPIs spis;
    spis.Search((user / "*.spi").string());
    std::string loaded = std::to_string(spis.Count()) + " loaded";
    for (const TPassedOverSPI& passed : spis.PassedOver) loaded += ", " + passed.Reason;
    return loaded;
  });
  EXPECT_EQ(outcome, "1 loaded");
}

TEST(SPIsSearch, AMaskWithAFolderLooksThereAloneAndTheEventsCanRefuse) {
  ScopedRegistry registry;
  registry.SetPluginFolder(TestPluginFolder());
  const TempDir user = TrustedTempDir();
  fs::copy_file(TestPlugin("kypx"), user / "first.spi");
  fs::copy_file(TestPlugin("png"), user / "second.spi");
  std::vector<fs::path> searching, searched;
  TSPIs spis;
  spis.OnSearching = [&](const fs::path& file, bool& accept) {
    searching.push_back(file);
    accept = file.filename() != "first.spi";
  };
  spis.OnSearch = [&](TSPI& spi, bool& accept) {
    searched.push_back(spi.FileName);
    EXPECT_TRUE(IsLoaded(spi.FileName));
    accept = false;
  };
  spis.Search((user / "*.SPI").string());
  EXPECT_EQ(searching, (std::vector<fs::path>{user / "first.spi", user / "second.spi"}));
  EXPECT_EQ(searched, (std::vector<fs::path>{fs::canonical(user / "second.spi")}));
  EXPECT_EQ(spis.Count(), 0);
  EXPECT_FALSE(IsLoaded(user / "first.spi")) << "never loaded";
  EXPECT_FALSE(IsLoaded(user / "second.spi")) << "unloaded";
}

// The search passes over pipes; a pipe put in the place of a plug-in after that is refused
// without waiting for a writer.
TEST(SPIsSearch, APipeInThePlaceOfAPluginIsRefusedWithoutWaiting) {
  const HangAlarm hangAlarm(30);
  const TempDir user = TrustedTempDir();
  MakePipe(user / "pipe.spi");
  EXPECT_FALSE(CreateSPI(user / "pipe.spi"));
}

// The class each kind chooses is checked by the search above.
TEST(SPIsKinds, AMissingEntryPointRefusesThePlugin) {
  TempDir dir;
  WriteFile(dir / "text.spi", "not a shared object");
  for (const fs::path& file : {TestPlugin("noinfo"), TestPlugin("nopicture"), dir / "text.spi"}) {
    EXPECT_FALSE(CreateSPI(file)) << file;
  }
  const std::string where = "[" + TestPlugin("nopicture").string() + "]";
  EXPECT_EQ(MessageOf([] { TInSPI spi(TestPlugin("nopicture")); }),
            "GetPicture" + std::string("は") + where + "では使えないSusie Plugin APIです");
  EXPECT_EQ(MessageOf([&] { TSPI spi(dir / "text.spi"); }),
            (dir / "text.spi").string() + ":Susie Pluginがロードできませんでした");
  EXPECT_THROW(TSPI(TestPlugin("noinfo")), ESPIInvalidAPI);
  TInSPI kypx(TestPlugin("kypx"));
  EXPECT_THROW(kypx.GetPreview("", 0, SPI_SOURCE_FILE, nullptr, nullptr, nullptr, 0),
               ESPIInvalidAPI);
}

TEST(SPIsRegistration, EachPatternOfAnEntryIsRegisteredFromTheLastWithTheEntrysName) {
  std::vector<std::string> asked;
  {
    TSPIs spis;
    spis.OnPictureRegister = [&](TSPI&, const std::string& extension,
                                 const std::string& description, TGraphicClass& graphicClass) {
      EXPECT_EQ(graphicClass == nullptr, extension == "a") << extension;
      asked.push_back(extension + " " + description);
      if (extension == "b") graphicClass = nullptr;  // and for the rest of the entry
    };
    spis.Add(CreateSPI(TestPlugin("archive")));
    spis.Add(CreateSPI(TestPlugin("letters")));
    EXPECT_EQ(spis.Items(1).Description, "Letters");

    for (const auto& [extension, description] :
         {std::pair{"C", "Letters"}, {"def", "Three letters"}, {"ABC", "Three letters"}}) {
      const std::optional<TPictureFormat> format = FindFileFormat(extension);
      ASSERT_TRUE(format) << extension;
      EXPECT_EQ(format->Description, description);
      EXPECT_EQ(format->GraphicClass, &CreateSPIBitmap);
    }
    EXPECT_FALSE(FindFileFormat("b"));
    EXPECT_FALSE(FindFileFormat("a"));
    EXPECT_FALSE(FindFileFormat("lzh")) << "archives register nothing";
  }
  EXPECT_EQ(asked, (std::vector<std::string>{"c Letters", "b Letters", "a Letters",
                                             "def Three letters", "abc Three letters"}));
  EXPECT_FALSE(FindFileFormat("c")) << "the formats leave with the plug-ins";
}

TEST(SPIsManager, DecodersWhoseFiltersNameTheExtensionAreOfferedTheFileFirst) {
  TSPIs spis;
  EXPECT_EQ(MessageOf([] { TSPIs second; }), "TSPIs は複数生成できません");
  EXPECT_EQ(GetSPIs(), &spis);
  for (const char* name : {"kypx", "archive", "letters", "faulty", "png"}) {
    spis.Add(CreateSPI(TestPlugin(name)));
  }
  const auto offered = [&spis](const std::string& file) {
    std::string names;
    for (const TInSPI* spi : spis.CollectSPIs<TInSPI>(file)) {
      names += spi->FileName.stem().string() + " ";
    }
    return names;
  };
  // An entry's extension is that of its last pattern: "*.a;*.b;*.c" names "c" alone.
  EXPECT_EQ(offered("x/pic.PNG"), "png kypx letters faulty ");
  EXPECT_EQ(offered("pic.def"), "letters kypx faulty png ");
  EXPECT_EQ(offered("pic.c"), "letters kypx faulty png ");
  EXPECT_EQ(offered("pic.a"), "kypx letters faulty png ");
  EXPECT_EQ(offered("pic"), "kypx letters faulty png ");
  spis.Delete(spis.IndexOfFileName(TestPluginFolder() / "." / "letters.spi"));
  EXPECT_EQ(offered("pic.def"), "kypx faulty png ");
}

}  // namespace
}  // namespace kyrovane::test
