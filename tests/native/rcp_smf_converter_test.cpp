// The RCP converter over a library of the test's own: the calls it makes, the
// answers it refuses, and the object deleted on every path.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "convert/rcp_smf_converter.h"

namespace koru {
namespace {

class FakeRcpcvLibrary : public RcpcvLibrary {
 public:
  Object object = 7;
  int length = 4;
  std::string bytes = "MThd";
  bool nullData = false;
  std::string missing;  // the function that throws LibraryMissing
  std::vector<std::string> calls;

  Object ConvertFile(const std::string& source) override {
    Call("ConvertFile", source);
    return object;
  }
  int GetSmfLength(Object o) override {
    Call("GetSmfLength", std::to_string(o));
    return length;
  }
  const void* GetSmf(Object o) override {
    Call("GetSmf", std::to_string(o));
    return nullData ? nullptr : bytes.data();
  }
  void DeleteObject(Object o) override { Call("DeleteObject", std::to_string(o)); }
  int GetVersionMajor() override { return 1; }
  int GetVersionMinor() override { return 2; }

  int Count(const std::string& function) const {
    int n = 0;
    for (const std::string& call : calls) n += call.rfind(function + " ", 0) == 0;
    return n;
  }

 private:
  void Call(const std::string& function, const std::string& argument) {
    calls.push_back(function + " " + argument);
    if (function == missing) throw LibraryMissing(function);
  }
};

class RcpSmfConverterTest : public ::testing::Test {
 protected:
  FakeRcpcvLibrary library;
  RcpSmfConverter converter{library};
};

TEST_F(RcpSmfConverterTest, CopiesTheBytesAfterOneLengthCallAndDeletesTheObject) {
  library.bytes = "MThd and the rest";
  library.length = 4;
  EXPECT_EQ(converter.ConvertToSmf("C:\\m\\a.rcp"), "MThd");
  EXPECT_EQ(library.calls,
            (std::vector<std::string>{"ConvertFile C:\\m\\a.rcp", "GetSmfLength 7", "GetSmf 7", "DeleteObject 7"}));
}

TEST_F(RcpSmfConverterTest, NoObjectIsNoConversionAndNothingMoreIsAsked) {
  library.object = 0;
  EXPECT_EQ(converter.ConvertToSmf("C:\\m\\a.rcp"), std::nullopt);
  EXPECT_EQ(library.calls, std::vector<std::string>{"ConvertFile C:\\m\\a.rcp"});
}

TEST_F(RcpSmfConverterTest, AnswersOutOfBoundsAreNoConversionAndTheObjectIsDeleted) {
  struct Case {
    const char* what;
    int length;
    bool nullData;
  };
  for (const Case& c : {Case{"zero length", 0, false}, Case{"negative length", -1, false},
                        Case{"above 64 MiB", RcpSmfConverter::kMaxSmfBytes + 1, false},
                        Case{"no data", 4, true}}) {
    FakeRcpcvLibrary bad;
    bad.length = c.length;
    bad.nullData = c.nullData;
    EXPECT_EQ(RcpSmfConverter(bad).ConvertToSmf("a.rcp"), std::nullopt) << c.what;
    EXPECT_EQ(bad.Count("GetSmfLength"), 1) << c.what;
    EXPECT_EQ(bad.calls.back(), "DeleteObject 7") << c.what;
    EXPECT_EQ(bad.Count("DeleteObject"), 1) << c.what;
  }

  library.bytes.assign(RcpSmfConverter::kMaxSmfBytes, 'x');
  library.length = RcpSmfConverter::kMaxSmfBytes;
  EXPECT_EQ(converter.ConvertToSmf("a.rcp")->size(), library.bytes.size()) << "exactly 64 MiB is a conversion";
}

TEST_F(RcpSmfConverterTest, AMissingFunctionPassesThroughAfterTheObjectIsDeleted) {
  struct Case {
    const char* missing;
    int deletes;  // DeleteObject calls
  };
  for (const Case& c : {Case{"ConvertFile", 0}, Case{"GetSmfLength", 1}, Case{"GetSmf", 1}, Case{"DeleteObject", 1}}) {
    FakeRcpcvLibrary broken;
    broken.missing = c.missing;
    EXPECT_THROW(RcpSmfConverter(broken).ConvertToSmf("a.rcp"), LibraryMissing) << c.missing;
    EXPECT_EQ(broken.Count("DeleteObject"), c.deletes) << c.missing;
  }
}

}  // namespace
}  // namespace koru
