#include <windows.h>

#include <stdexcept>

#include "win32/handles.h"
#include "tests/cli/run_program.h"

namespace cli_test {

namespace {

// One argument as the C runtime's command-line parser reads it back (CommandLineToArgvW rules).
std::wstring quoted(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
  std::wstring result = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    result.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    result += c;
  }
  result.append(2 * backslashes, L'\\');
  return result + L"\"";
}

win32::UniqueKernelHandle inheritable(const std::filesystem::path& path, bool write) {
  SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, TRUE};
  return win32::UniqueKernelHandle(CreateFileW(path.c_str(), write ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ,
                                               &attributes, write ? CREATE_ALWAYS : OPEN_EXISTING,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace

// The streams go through files, never pipes: no output size can block the program.
RunResult run_program(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                      std::string_view input) {
  const ScratchFolder streams("tildario-run");
  const std::filesystem::path in = streams.write("in", input), out = streams.path() / "out",
                              err = streams.path() / "err";
  std::wstring command_line = quoted(program.wstring());
  // clang-format off
  for (const std::string& argument : arguments) command_line += L" " + quoted(utf8_path(argument).wstring());
  // clang-format on

  RunResult run;
  {
    const win32::UniqueKernelHandle in_handle = inheritable(in, false), out_handle = inheritable(out, true),
                                    err_handle = inheritable(err, true);
    if (!in_handle || !out_handle || !err_handle) throw std::runtime_error("cannot open the stream files");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in_handle.get();
    startup.hStdOutput = out_handle.get();
    startup.hStdError = err_handle.get();
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process))
      throw std::runtime_error("CreateProcessW failed: " + std::to_string(GetLastError()));
    const win32::UniqueKernelHandle process_handle(process.hProcess), thread_handle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    run.status = static_cast<int>(status);
  }
  run.out = read_file(out);
  run.err = read_file(err);
  return run;
}

}  // namespace cli_test
