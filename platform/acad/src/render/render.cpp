#include "render/render.h"

#include "render/collector.h"

#include "db/database_impl.h"
#include "dbsymtb.h"

namespace kz::render {

Scene collectModelSpace(AcDbDatabase& db, std::span<const AcDbEntity* const> extraEntities,
                        const RenderOptions& options) {
    Scene scene;
    Collector collector(&db, options, scene);
    const auto* modelSpace = AcDbBlockTableRecord::cast(residentObject(db.impl().ids.modelSpace));
    if (modelSpace && collector.enterBlock(db.impl().ids.modelSpace.stub())) {
        for (const AcDbObjectId& id : modelSpace->kzEntities()) {
            const auto* entity = AcDbEntity::cast(residentObject(id));
            if (!entity)
                continue;
            char handle[20];
            id.handle().getIntoAsciiBuffer(handle);
            collector.drawTopLevel(entity, std::string("h") + handle);
        }
    }
    for (std::size_t i = 0; i < extraEntities.size(); ++i) {
        if (extraEntities[i])
            collector.drawTopLevel(extraEntities[i], "x" + std::to_string(i));
    }
    return scene;
}

std::string renderModelSpace(AcDbDatabase& db, std::span<const AcDbEntity* const> extraEntities,
                             const RenderOptions& options) {
    return writeSvg(collectModelSpace(db, extraEntities, options), options);
}

} // namespace kz::render
