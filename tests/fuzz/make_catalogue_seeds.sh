#!/usr/bin/env bash
# Rebuilds the seed corpus of fuzz_catalogue: small valid SQLite catalogues
# with 512-byte pages, so the fuzzer's mutations land in real pages of the
# schema, the table and its cells. Run from anywhere; needs the sqlite3 shell.
set -euo pipefail
out="$(cd "$(dirname "$0")" && pwd)/corpus/fuzz_catalogue"
mkdir -p "$out"

table='CREATE TABLE "Критерии" ("Варианты технологии" VARCHAR(200), "Состав процеcса" TEXT,
 "Уклон" SMALLINT, "Толщина" SMALLINT, "Температура" SMALLINT, "Объем" SMALLINT,
 "Износ" SMALLINT, "Стоимость" DECIMAL(19,4), "Трудоемкость, чел-ч/ м2" DECIMAL(3,2),
 "Опасность травматизма" SMALLINT, "Безотказность" SMALLINT, "Безотходность" SMALLINT,
 "Загрязняемость" SMALLINT, "Пожароопасность" SMALLINT, "Долговечность" SMALLINT,
 "Эстетичность кровли" SMALLINT, "Светоотражающ способность" DECIMAL(3,1),
 "Дождливая погода" SMALLINT, "Потребность в электроснабжении" SMALLINT,
 "Опасность наличия скрытых дефектов" SMALLINT, "Перебои в снабжении материалами" SMALLINT,
 "Нарушение водоотвода с кровли" SMALLINT, "Минуклон" DECIMAL(3,1), "Минизнос" DECIMAL(4,1),
 "Огнеопасность" SMALLINT, "Утяжеление" SMALLINT, "Электроснабжение" SMALLINT);'

# name, composition, Уклон, Толщина, Температура, Объем, Износ, then the ten
# internal criteria, the five external factors, Минуклон, Минизнос and the
# three flags.
rows="INSERT INTO \"Критерии\" VALUES
 ('Наплавляемый ковер', 'Очистка; грунтовка; наплавление', 25, 10, -15, 50, 80,
  350.5, 0.45, 6, 8, 4, 7, 9, 8, 6, 0.4, 3, 2, 5, 4, 3, 0, 10, 0, 1, 1),
 ('Мастичное покрытие', 'Очистка; мастика в два слоя', 15, 5, 5, 10, 60,
  280, 0.3, 3, 6, 9, 4, 2, 6, 7, 0.8, 7, 1, 4, 6, 5, 1.5, 0, 1, 1, 0),
 ('Холодная мастика', 'Ремонт трещин', 100, 1, -25, 0, 100,
  120, 0.12, 2, 4, 9, 2, 1, 4, 5, 0.6, 8, 9, 6, 2, 7, -2, 0, 1, 1, 1);"

make() {
    local name=$1 sql=$2
    rm -f "$out/$name"
    sqlite3 -bail "$out/$name" "PRAGMA page_size=512; $sql VACUUM;" >/dev/null
}

make three-rows "$table $rows"
make no-rows "$table"
make wal-mode "PRAGMA journal_mode=WAL; $table $rows"
make nulls-and-texts "$table $rows
 UPDATE \"Критерии\" SET \"Стоимость\" = NULL WHERE rowid = 1;
 UPDATE \"Критерии\" SET \"Безотказность\" = 'много', \"Минуклон\" = '' WHERE rowid = 2;"
make long-texts "$table $rows
 UPDATE \"Критерии\" SET \"Состав процеcса\" = printf('%.1500c', 'ж') WHERE rowid = 2;"
make no-cost-column "${table/\"Стоимость\" DECIMAL(19,4),/} $(printf '%s' "$rows" | sed 's/350.5, //; s/280, //; s/120, //')"
