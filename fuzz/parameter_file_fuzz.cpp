// Fuzzes reading a module section from an arbitrary file, in both forms,
// then writing the record back. The first input byte chooses the file name
// (odd: "in.ini", the hex form; even: "in.qx1", the comma form); the rest is
// the file. Whatever the file holds, reading must keep the record's
// invariants and a written section must read back as this module's, its
// length bytes as they were.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

#include "config/ParameterCodec.h"
#include "fuzz/FuzzSupport.h"

using qx::fuzz::Check;
using qx::fuzz::CheckInvariants;
using qx::fuzz::WorkDir;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string input = WorkDir() + ((data[0] & 1) ? "/in.ini" : "/in.qx1");
  const std::string project = WorkDir() + "/project.qx1";
  const std::string exported = WorkDir() + "/out.qx1";
  std::remove(exported.c_str());
  {
    std::ofstream out(input, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
  }

  qx::CProfileFile file;
  file.SetPathName(project.c_str());
  qx::ModuleConfig record;
  record.SetDefaults();
  const int result = qx::ReadParameters(record, file, 0, 0, input);
  Check(result == 1 || result == -1 || result == -2);
  Check(file.GetPathName() == project);
  CheckInvariants(record);

  // The same file as a project's parameter file (section SLOT10).
  qx::CProfileFile direct;
  direct.SetPathName(input.c_str());
  Check(qx::ReadParameters(record, direct, 1, 0, "") == 1);
  CheckInvariants(record);

  Check(qx::WriteParameters(record, 0x1A2B, file, 0, 0, exported));
  qx::ModuleConfig back;
  Check(qx::ReadParameters(back, file, 0, 0, exported) != -1);
  CheckInvariants(back);
  // Length bytes are numbers of their own: they come back as written.
  Check(back.PasswordLength() == record.PasswordLength() && back.SubjectLength() == record.SubjectLength());
  for (int t = 1; t <= qx::layout::kTriggers; ++t)
    Check(back.Trigger(t).NameLength() == record.Trigger(t).NameLength() &&
          back.Trigger(t).MessageLength() == record.Trigger(t).MessageLength());
  return 0;
}
