// Every window of the command-line tests sees one installed default printer,
// so that no start-up message depends on the machine the tests run on.
#include <gtest/gtest.h>

#include "ui/printcommands.h"

namespace {

class OnePrinter : public ::testing::Environment {
public:
    void SetUp() override
    {
        dayloom::SetPrinterListProvider(
            [] { return dayloom::PrinterListing{{QStringLiteral("Test")}, QStringLiteral("Test")}; });
    }
};
const auto* const kOnePrinter = ::testing::AddGlobalTestEnvironment(new OnePrinter);

}  // namespace
