// zorvane-sim: a simulated Zorvane LCR meter on a pseudo-terminal, linked as the program's
// serial port N, for trying the program without an instrument.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>
#include <pthread.h>

#include "platform/core/Exceptions.h"
#include "tools/instrument-sim/InstrumentSim.h"
#include "tools/instrument-sim/SimCommandLine.h"

int main(int argc, char** argv)
{
    TSimCommandLine args;
    AnsiString error;
    if (!ParseSimCommandLine(std::vector<AnsiString>(argv + 1, argv + argc), args, error)) {
        std::fprintf(stderr, "zorvane-sim: %s\n%s", error.c_str(), SimUsage().c_str());
        return 2;
    }
    if (args.Help) {
        std::printf("%s", SimUsage().c_str());
        return 0;
    }
    const int port = args.Port;
    const TSimOptions& options = args.Options;

    // Every thread inherits the blocked signals; the main thread alone takes them with sigwait,
    // so the simulator's thread never runs a signal handler.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    TInstrumentSim sim(options);
    sim.SetFaultSettings(args.FaultSettings);
    for (int f = 0; f < kSimFaultCount; ++f)
        if (args.Faults.Remaining[f] != 0)
            sim.SetFault(static_cast<TSimFault>(f), args.Faults.Remaining[f]);
    if (args.Verbose)
        sim.OnLog = [](const AnsiString& line) {
            std::printf("%s\n", line.c_str());
            std::fflush(stdout);
        };
    try {
        sim.StartAsPort(port);
    } catch (const Exception& e) {
        std::fprintf(stderr, "zorvane-sim: %s\n", e.Message().c_str());
        return 1;
    }
    std::printf("zorvane-sim: %s listening on %s as COM%d (%s)\n", options.Model.c_str(), sim.SlavePath().c_str(),
                port, sim.PortLink().c_str());
    std::printf("zorvane-sim: Ctrl+C ends it\n");
    std::fflush(stdout);

    if (args.HangUpAfterSeconds > 0) {
        const timespec wait{args.HangUpAfterSeconds, 0};
        if (sigtimedwait(&stopSignals, nullptr, &wait) < 0) {
            sim.HangUp();
            std::printf("zorvane-sim: hung up after %d s; Ctrl+C ends it\n", args.HangUpAfterSeconds);
            std::fflush(stdout);
        } else {
            sim.Stop();
            std::printf("zorvane-sim: stopped\n");
            return 0;
        }
    }
    int sig = 0;
    sigwait(&stopSignals, &sig);
    sim.Stop();  // takes the link away
    std::printf("zorvane-sim: stopped\n");
    return 0;
}
