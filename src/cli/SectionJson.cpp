#include "cli/Commands.h"
#include "store/Configuration.h"
#include "store/ProfileStore.h"

void writeSectionsJson(JsonWriter&, const ArearConfig&) {}

void writeListsJson(JsonWriter& json) {
    ProfileStore& store = ProfileStore::instance();
    json.beginArray("weatherTemplates");
    for (const auto& t : store.weatherTemplates) {
        json.beginObject();
        json.value("name", t->name);
        json.value("guid", t->guid);
        json.beginArray("lines");
        for (const auto& l : t->lines) json.element(l);
        json.endArray();
        json.endObject();
    }
    json.endArray();
    json.beginArray("noticeTemplates");
    for (const auto& t : store.noticeTemplates) {
        json.beginObject();
        json.value("name", t->name);
        json.value("guid", t->guid);
        json.beginArray("lines");
        for (const auto& l : t->lines) json.element(l);
        json.endArray();
        json.endObject();
    }
    json.endArray();
    json.beginArray("coordinateIndices");
    for (const auto& [guid, index] : store.coordinateIndices) {
        json.beginObject();
        json.value("guid", index->guid);
        json.value("name", index->name);
        json.beginArray("placements");
        for (const auto& p : index->placements) {
            json.beginObject();
            json.value("label", p->label);
            json.value("position", p->position);
            json.endObject();
        }
        json.endArray();
        json.endObject();
    }
    json.endArray();
    json.beginArray("syncFolders");
    for (const auto& f : store.syncFolders) json.element(f);
    json.endArray();
}
