#include "app/platform.h"
#include "app/run.h"
#include "report/output.h"

int main(int argc, char** argv) {
  PrepareProcess();
  const int runStatus = RunQuorvel(argc, argv);
  FlushOutput();
  return ProcessExitStatus(runStatus);
}
