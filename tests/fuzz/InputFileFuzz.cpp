// Any bytes as an input file: reading never fails other than by its messages, and a file that
// reads whole is written and read back to the same parameter set, whose file is then stable.
#include "FuzzSupport.h"
#include "data/UDMPumpfield.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CountingServices services;
  services.quitRequests = 0;
  TDMPumpfield first(&services);
  first.InputFileName = WriteScratchFile("fuzz.inp", data, size);
  first.LoadInputFile();
  if (services.quitRequests > 0)
    return 0; // a corrupt code or number: reported, nothing to write back

  const std::string saved = ScratchPath("saved.inp");
  Require(first.SaveInputFile(saved));
  TDMPumpfield second(&services);
  second.InputFileName = saved;
  second.LoadInputFile();
  Require(services.quitRequests == 0);
  Require(second.Title1 == first.Title1 && second.Title2 == first.Title2);
  Require(second.AimCode == first.AimCode && second.Params.size() == 14);

  const std::string written = FileBytes(saved);
  Require(second.SaveInputFile(saved));
  Require(FileBytes(saved) == written);
  return 0;
}
