#include <gtest/gtest.h>

#include "host/CommandLineOptions.h"
#include "host/HostError.h"

using uv::host::CommandLineOptions;
using uv::host::ExitCode;
using uv::host::HostError;

TEST(CommandLineOptions, TakesEveryOptionInBothForms) {
  const CommandLineOptions o = CommandLineOptions::parse(
      {"--open", "site.dxf", "--load=a.so", "--load", "b.so", "--job", "run.job", "--save=out/site.dxf",
       "--render", "out/Site.SVG", "--render-size", "640x480", "-q"});
  EXPECT_EQ(o.open, L"site.dxf");
  EXPECT_EQ(o.load, (std::vector<std::wstring>{L"a.so", L"b.so"}));
  EXPECT_EQ(o.job, L"run.job");
  EXPECT_EQ(o.save, L"out/site.dxf");
  EXPECT_EQ(o.render, L"out/Site.SVG");
  EXPECT_EQ(o.renderWidth, 640);
  EXPECT_EQ(o.renderHeight, 480);
  EXPECT_TRUE(o.quiet);
  EXPECT_FALSE(o.help);
  EXPECT_FALSE(o.times);
  EXPECT_FALSE(o.replace);
  EXPECT_TRUE(CommandLineOptions::parse({"--times", "--job", "run.job"}).times);
  EXPECT_TRUE(CommandLineOptions::parse({"--save", "out.dxf", "--replace"}).replace);
  EXPECT_TRUE(CommandLineOptions::parse({"--replace", "--render", "out.png"}).replace);

  const CommandLineOptions none = CommandLineOptions::parse({});
  EXPECT_TRUE(none.open.empty() && none.load.empty() && none.job.empty());
  EXPECT_EQ(none.renderWidth, 1600);
  EXPECT_EQ(none.renderHeight, 1200);
  EXPECT_TRUE(CommandLineOptions::parse({"--help"}).help);
  EXPECT_FALSE(none.gui);
  const CommandLineOptions gui = CommandLineOptions::parse({"--gui", "--open", "site.dxf", "--load", "m.so"});
  EXPECT_TRUE(gui.gui);
  EXPECT_EQ(gui.open, L"site.dxf");
  // Names are UTF-8 on the command line.
  EXPECT_EQ(CommandLineOptions::parse({"--open", "ple\xC4\x8D.dxf"}).open, L"ple\u010D.dxf");
}

TEST(CommandLineOptions, RefusesWhatItCannotTakeNamingTheOption) {
  struct Case {
    std::vector<std::string> args;
    const char* says;
  };
  const Case cases[] = {
      {{"--frob"}, "unknown option --frob"},
      {{"site.dxf"}, "unexpected argument \"site.dxf\""},
      {{"--open"}, "--open needs a value"},
      {{"--job="}, "--job needs a value"},
      {{"--quiet=yes"}, "--quiet takes no value"},
      {{"--open", "a.dxf", "--open", "b.dxf"}, "--open is given twice"},
      {{"--render", "out.bmp"}, "--render writes a .png or .svg file"},
      {{"--render-size", "640"}, "--render-size takes WIDTHxHEIGHT"},
      {{"--render-size", "0x480"}, "--render-size takes WIDTHxHEIGHT"},
      {{"--render-size", "640x-1"}, "--render-size takes WIDTHxHEIGHT"},
      {{"--render-size", "99999x480"}, "--render-size takes WIDTHxHEIGHT"},
      {{"--render-size", "10x10", "--render-size", "20x20"}, "--render-size is given twice"},
      {{"--gui=1"}, "--gui takes no value"},
      {{"--gui", "--job", "a.job"}, "--job, --save and --render are for batch runs"},
      {{"--times=yes"}, "--times takes no value"},
      {{"--gui", "--times"}, "--times is for batch runs"},
      {{"--replace=yes", "--save", "a.dxf"}, "--replace takes no value"},
      {{"--replace", "--job", "a.job"}, "--replace lets --save and --render replace a file; give one of them too"},
  };
  for (const Case& c : cases) {
    try {
      CommandLineOptions::parse(c.args);
      ADD_FAILURE() << "accepted: " << c.args.front();
    } catch (const HostError& e) {
      EXPECT_EQ(e.code(), ExitCode::kUsageError);
      EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
    }
  }
}

TEST(CommandLineOptions, UsageDocumentsTheExitStatus) {
  const std::string usage = CommandLineOptions::usage();
  for (const char* part : {"--open", "--load", "--job", "--save", "--render", "--render-size", "--quiet", "--help", "--gui", "--replace",
                           "0  success", "1  job error", "2  usage error", "3  file error"})
    EXPECT_NE(usage.find(part), std::string::npos) << part;
}
