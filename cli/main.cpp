// vymath: envelopes, governing cases, coincident forces and key figures of a structural model's
// diagrams, from the command line. Each command lives in a file of its own; this one parses and runs one.
#include "Command.h"
#include "Failure.h"

#include <vymath/VyMathVersion.h>

#include <CLI/CLI.hpp>

#include <cstdio>
#include <new>

int main(int argc, char** argv) {
    using namespace vycli;
    CLI::App app(
        "Envelopes, governing cases, coincident forces and key figures of the diagrams of a structural "
        "model's members, and moving loads on influence lines (VyMath " VYMATH_VERSION_STRING ").",
        "vymath");
    app.set_version_flag("--version", VYMATH_VERSION_STRING);
    app.require_subcommand(1);
    const Command commands[] = {AddEnvelopeCommand(app), AddCheckCommand(app), AddKeyFiguresCommand(app),
                                AddMovingCommand(app), AddCombinationsCommand(app)};
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success))
            return app.exit(e);
        std::fprintf(stderr, "vymath: %s (see vymath --help)\n", e.what());
        return kUsageError;
    }
    try {
        for (const Command& c : commands)
            if (c.app->parsed())
                return c.run();
        return kUsageError;
    } catch (const Failure& f) {
        std::fprintf(stderr, "vymath: %s\n", f.what());
        return f.Status();
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "vymath: out of memory\n");
        return kDataError;
    }
}
