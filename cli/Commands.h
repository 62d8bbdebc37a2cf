#pragma once

namespace orvalen::cli {

// Each command receives the arguments after its name and returns the process exit status.
int RunDump(int argc, char** argv);
int RunConvert(int argc, char** argv);
int RunSearch(int argc, char** argv);
int RunProbe(int argc, char** argv);
int RunSimulate(int argc, char** argv);
int RunResync(int argc, char** argv);
int RunMerge(int argc, char** argv);
int RunAutosync(int argc, char** argv);

}  // namespace orvalen::cli
