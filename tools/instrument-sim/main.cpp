// zorvane-sim: a simulated Zorvane LCR meter on a pseudo-terminal, linked as the program's
// serial port N, for trying the program without an instrument.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <pthread.h>

#include "platform/core/Exceptions.h"
#include "tools/instrument-sim/InstrumentSim.h"
#include "tools/instrument-sim/SimNumbers.h"

namespace {

void Usage(FILE* to)
{
    std::fprintf(to,
                 "Usage: zorvane-sim [--port N] [--model MODEL] [--dut cap|ind|res|open] [-v]\n"
                 "  --port N     serial port number 1-20 to appear as (default 1)\n"
                 "  --model M    identification model: %s (default ZVE)\n"
                 "  --dut KIND   part on the test leads: cap (100 nF), ind (1 mH), res (1 kohm), open\n"
                 "  -v           log every line received and every reply sent\n",
                 SimModelList().c_str());
}

} // namespace

int main(int argc, char** argv)
{
    int port = 1;
    bool verbose = false;
    TSimOptions options;
    for (int i = 1; i < argc; ++i) {
        AnsiString a = argv[i];
        auto value = [&](const char* name) -> AnsiString {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "zorvane-sim: %s needs a value\n", name);
                std::exit(2);
            }
            return argv[++i];
        };
        if (a == "--port") {
            if (!ParseSimInt(value("--port"), port) || port < 1 || port > 20) {
                std::fprintf(stderr, "zorvane-sim: the port number is 1 to 20\n");
                return 2;
            }
        } else if (a == "--model") {
            options.Model = value("--model");
            TSimModelInfo info;
            if (!FindSimModel(options.Model, info)) {
                std::fprintf(stderr, "zorvane-sim: unknown model %s (%s)\n", options.Model.c_str(),
                             SimModelList().c_str());
                return 2;
            }
        } else if (a == "--dut") {
            AnsiString d = value("--dut");
            if (!ParseDutKind(d, options.Dut)) {
                std::fprintf(stderr, "zorvane-sim: unknown device %s (cap, ind, res, open)\n", d.c_str());
                return 2;
            }
        } else if (a == "-v" || a == "--verbose") {
            verbose = true;
        } else if (a == "-h" || a == "--help") {
            Usage(stdout);
            return 0;
        } else {
            std::fprintf(stderr, "zorvane-sim: unknown argument %s\n", a.c_str());
            Usage(stderr);
            return 2;
        }
    }

    // Every thread inherits the blocked signals; the main thread alone takes them with sigwait,
    // so the simulator's thread never runs a signal handler.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    TInstrumentSim sim(options);
    if (verbose)
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

    int sig = 0;
    sigwait(&stopSignals, &sig);
    sim.Stop();  // takes the link away
    std::printf("zorvane-sim: stopped\n");
    return 0;
}
