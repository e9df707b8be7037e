#pragma once
// The stores the world list's tests run against: each test of a fixture built on StoreTest runs
// once with an SQLite file and once with a PostgreSQL of its own.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/server/postgres_cluster.h"

namespace test {

enum class Store { Sqlite, Postgres };

class StoreTest : public ::testing::TestWithParam<Store> {
protected:
    void SetUp() override
    {
        if (GetParam() == Store::Sqlite) return;
        if (!PostgresCluster::Installed())
            GTEST_SKIP() << "PostgreSQL 15 is not installed (make test installs it)";
        cluster = std::make_unique<PostgresCluster>();
        ASSERT_TRUE(cluster->Create());
    }

    // Where the test's servers keep the list: empty for a file of each server's own, or the
    // test's PostgreSQL.
    std::string Database() const { return cluster ? cluster->Connection() : std::string {}; }

    std::unique_ptr<PostgresCluster> cluster;
};

inline std::string StoreName(const ::testing::TestParamInfo<Store>& info)
{
    return info.param == Store::Sqlite ? "Sqlite" : "Postgres";
}

} // namespace test

// Runs the fixture's tests against both stores.
#define KG_ON_BOTH_STORES(fixture)                                                                 \
    INSTANTIATE_TEST_SUITE_P(Stores, fixture,                                                      \
                             ::testing::Values(test::Store::Sqlite, test::Store::Postgres),        \
                             test::StoreName)
