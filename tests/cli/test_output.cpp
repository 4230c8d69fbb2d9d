// Output files: all written or none changed; links are written through, not replaced.
#include "Failure.h"
#include "Output.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& p) {
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class Output : public ::testing::Test {
protected:
    void SetUp() override {
        std::string t = (fs::temp_directory_path() / "vymath-output-XXXXXX").string();
        ASSERT_NE(mkdtemp(t.data()), nullptr);
        dir = t;
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

TEST_F(Output, AFailedFileLeavesEveryTargetAsItWas) {
    std::ofstream(dir / "a.json") << "old\n";
    try {
        vycli::WriteFiles({{"--json", (dir / "a.json").string(), "new\n"},
                           {"--csv", (dir / "gone" / "b.csv").string(), "new\n"}});
        FAIL() << "no error";
    } catch (const vycli::Failure& f) {
        EXPECT_EQ(f.Status(), vycli::kDataError);
    }
    EXPECT_EQ(Read(dir / "a.json"), "old\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1); // no temporary left
}

TEST_F(Output, ALinkIsWrittenThrough) {
    std::ofstream(dir / "real.json") << "old\n";
    fs::create_symlink(dir / "real.json", dir / "link.json");
    vycli::WriteFiles(
        {{"--json", (dir / "link.json").string(), "new\n"}, {"--csv", (dir / "c.csv").string(), "c\n"}});
    EXPECT_TRUE(fs::is_symlink(dir / "link.json"));
    EXPECT_EQ(Read(dir / "real.json"), "new\n");
    EXPECT_EQ(Read(dir / "c.csv"), "c\n");
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(fs::status(dir / "c.csv").permissions(), static_cast<fs::perms>(0666 & ~mask));
}

} // namespace
