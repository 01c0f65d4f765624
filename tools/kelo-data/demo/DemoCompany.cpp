#include "tools/kelo-data/demo/DemoCompany.h"

#include "tools/kelo-data/demo/DemoBuilder.h"
#include "tools/kelo-data/demo/DemoFamilies.h"

namespace kelo::demo {

void MakeDemoCompany(DataContext& ctx, const DemoOptions& options)
{
    DemoBuilder b(ctx, options);
    MakeSetup(b);
    MakeLedgers(b);
    MakeOrders(b);
    MakeStock(b);
    MakeRecurring(b);
    MakeOwnRecords(b);
    b.Finish();
}

}  // namespace kelo::demo
