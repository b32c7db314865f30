#pragma once
// Helpers of the database tests: fresh folders with real database files, Windows paths to them, and a
// private Firebird server started by the test.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

namespace dbtest {

// A new, empty folder under the build tree (a Unix path).
inline std::string FreshDir(const std::string& name) {
  const char* bin = std::getenv("MZ_BINARY_DIR");
  const std::string dir = std::string(bin ? bin : "/tmp") + "/db-tests/" + name;
  if (std::system(("rm -rf '" + dir + "' && mkdir -p '" + dir + "'").c_str()) != 0)
    throw std::runtime_error("cannot make " + dir);
  return dir;
}

// The same path as the program sees it under Wine.
inline std::string WinPath(const std::string& unixPath) {
  std::string p = "Z:" + unixPath;
  for (char& c : p)
    if (c == '/') c = '\\';
  return p;
}

inline std::string RunCommand(const std::string& cmd) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(cmd.c_str(), "r"), pclose);
  std::string out;
  char buf[256];
  while (pipe && fgets(buf, sizeof buf, pipe.get())) out += buf;
  return out;
}

// A Firebird 3 server on 127.0.0.1 and a free port whose SYSDBA has the given password; stopped
// when the object goes.
class TTestServer {
 public:
  TTestServer(const std::string& name, const std::string& password) : dir_(FreshDir(name)) {
    const std::string script = std::string(std::getenv("MZ_SOURCE_DIR")) + "/toolkit/db/FirebirdTestServer.sh";
    port_ = std::atoi(RunCommand("'" + script + "' start '" + dir_ + "/server' '" + password + "'").c_str());
    stop_ = "'" + script + "' stop '" + dir_ + "/server'";
    if (port_ <= 0) {
      // No destructor runs for a constructor that throws: stop a server that came up too late.
      std::system(stop_.c_str());
      throw std::runtime_error("the test server did not start");
    }
  }
  ~TTestServer() { std::system(stop_.c_str()); }
  TTestServer(const TTestServer&) = delete;
  TTestServer& operator=(const TTestServer&) = delete;

  // "localhost/port:<folder>/<file>", a database name in the server form.
  std::string DatabaseName(const std::string& file) const {
    return "localhost/" + std::to_string(port_) + ":" + dir_ + "/" + file;
  }
  const std::string& Dir() const { return dir_; }

 private:
  std::string dir_;
  std::string stop_;
  int port_ = 0;
};

}  // namespace dbtest
