// mlsc: compiles the text source of one string module in one language into an MLS module,
// and prints an MLS module back as that text.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "MLSSource.h"
#include "mls/MLSFormat.h"

namespace {

void Usage(std::ostream& out) {
  out << "mlsc, the MLS module compiler, version " << MLSCompilerVersion << "\n\n"
      << "Usage:\n"
      << "  mlsc compile SOURCE MODULE   compile the source text SOURCE into the MLS module "
         "MODULE\n"
      << "  mlsc print MODULE [SOURCE]   print the MLS module MODULE as source text (to SOURCE,\n"
      << "                               or to the standard output)\n"
      << "  mlsc --help                  show this text\n\n"
      << "A module's file name is NAME_CODE.mls, for example VoiceMail_deu.mls. The compiled\n"
      << "module's description names the module, its language and the time of compilation\n"
      << "(SOURCE_DATE_EPOCH, when set, gives that time for reproducible builds).\n\n"
      << MLSSourceHelp;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  std::ostringstream data;
  data << in.rdbuf();
  if (in.bad()) throw std::runtime_error("cannot read " + path);
  return data.str();
}

void WriteFile(const std::string& path, const std::string& data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(data.data(), static_cast<std::streamsize>(data.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::time_t BuildTime() {
  const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
  if (epoch && *epoch) return static_cast<std::time_t>(std::strtoll(epoch, nullptr, 10));
  return std::time(nullptr);
}

// "dir/VoiceMail_deu.mls" gives "VoiceMail": the name when the description names none.
std::string NameFromFileName(const std::string& path) {
  std::string base = path.substr(path.find_last_of("/\\") + 1);
  return base.substr(0, base.rfind('_'));
}

int Compile(const std::string& sourcePath, const std::string& modulePath) {
  std::string text = ReadFile(sourcePath);
  TMLSSource source;
  try {
    source = ParseMLSSource(text);
  } catch (const EMLSSourceError& e) {
    std::cerr << sourcePath << ":" << e.what() << "\n";
    return 1;
  }
  WriteFile(modulePath,
            WriteMLSModule(source.Language, MLSDescription(source, BuildTime()), source.Strings));
  return 0;
}

int Print(const std::string& modulePath, const std::string& sourcePath) {
  std::string data = ReadFile(modulePath);
  TMLSMemoryStream stream(data.data(), data.size());
  TMLSModuleContents contents = ReadMLSModule(stream);
  TMLSSource source;
  source.Name = ModuleNameFromDescription(contents.Description);
  if (source.Name.empty()) source.Name = NameFromFileName(modulePath);
  source.Language = contents.Language;
  source.Strings = std::move(contents.Strings);
  std::string text = PrintMLSSource(source);
  if (sourcePath.empty())
    std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
  else
    WriteFile(sourcePath, text);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string command = argc > 1 ? argv[1] : "";
  try {
    if (command == "--help" || command == "-h" || command == "help") {
      Usage(std::cout);
      return 0;
    }
    if (command == "compile" && argc == 4) return Compile(argv[2], argv[3]);
    if (command == "print" && (argc == 3 || argc == 4))
      return Print(argv[2], argc == 4 ? argv[3] : "");
  } catch (const std::exception& e) {
    // EMLSException messages end their first line in CR LF; one line reads better here.
    std::string message;
    for (const char* c = e.what(); *c; ++c)
      if (*c != '\n') message += *c == '\r' ? ' ' : *c;
    std::cerr << "mlsc: " << message << "\n";
    return 1;
  }
  Usage(std::cerr);
  return 2;
}
