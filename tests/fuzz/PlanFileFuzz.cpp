// A ".c52" file as the senders and the editor read it. Whatever the editor loads and passes its
// row check must convert to channel commands.
#include "FuzzTarget.h"
#include "channelplans/ChannelRecord.h"
#include "editor/EditorGrid.h"
#include "support/VectorGrid.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltra;
    const std::string content = fuzz::Text(data, size);
    PlanFileReader reader(content);
    PayloadConverter converter;
    for (int k = 0; k < reader.count() && k <= kMaxChannels; ++k) {
        const std::string payload = converter.ChannelLineToPayload(reader.nextLine(), k == 0);
        if (!IsErrorMarker(payload)) fuzz::Require(payload.size() <= kMaxChannelPayload);
    }

    test::VectorGrid cells;
    ChannelPlanGrid grid(cells);
    std::string name;
    if (LoadPlanText(content, grid, name) != 0) return 0;
    int errorColumn = 0, errorRow = 0;
    if (grid.Repassa(errorColumn, errorRow) != 0) return 0;
    // A plan the editor would save goes to the instrument whole (once sorted, as its save does).
    if (grid.Ordena() != 0) return 0;
    std::string text;
    fuzz::Require(PlanTextFromGrid(grid, name, text));
    PlanFileReader saved(text);
    PayloadConverter sender;
    for (int k = 0; k < saved.count(); ++k)
        fuzz::Require(!IsErrorMarker(sender.ChannelLineToPayload(saved.nextLine(), k == 0)));
    return 0;
}
