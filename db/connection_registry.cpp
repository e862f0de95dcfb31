// A short singly linked list: a program holds one or two connections, and
// every lookup costs far less than the SQL statement it guards.
#include "db/connection_registry.h"

#include <cstdlib>

namespace db {
namespace {

struct Entry {
  sqlite3* connection;
  uint32_t serial;
  Entry* next;
  LockWaits lockWaits;
};

Entry* g_entries;
uint32_t g_lastSerial;

}  // namespace

uint32_t RegisterConnection(sqlite3* connection) {
  auto* e = static_cast<Entry*>(malloc(sizeof(Entry)));
  if (!e) return 0;
  if (++g_lastSerial == 0) ++g_lastSerial;
  *e = Entry{connection, g_lastSerial, g_entries, LockWaits{}};
  g_entries = e;
  return e->serial;
}

void ForgetConnection(sqlite3* connection) {
  for (Entry** link = &g_entries; *link; link = &(*link)->next) {
    if ((*link)->connection == connection) {
      Entry* dead = *link;
      *link = dead->next;
      free(dead);
      return;
    }
  }
}

uint32_t ConnectionSerial(sqlite3* connection) {
  for (Entry* e = g_entries; e; e = e->next)
    if (e->connection == connection) return e->serial;
  return 0;
}

LockWaits* LockWaitsOf(sqlite3* connection) {
  for (Entry* e = g_entries; e; e = e->next)
    if (e->connection == connection) return &e->lockWaits;
  return nullptr;
}

}  // namespace db
