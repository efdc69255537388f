#!/usr/bin/env python3
"""Writes a lookup service data file and the matching player list for the whole-program
benchmarks and the hardening sweep.

  make_players.py --games G --offline O --unknown U --data OUT.json --players OUT.txt

G games of ten players each, O players the service knows to be offline and U names it
has never heard of. The list (UTF-8, one name a line) takes them in turn, a player in a
game, an offline one, an unknown one, until each kind is used up, so every stretch of
the list mixes the three answers. Every name has a GBK form.
"""
import argparse
import json

CHAMPIONS = ["Ahri", "LeeSin", "Zed", "Ashe", "Thresh", "Garen", "MonkeyKing", "Orianna",
             "Caitlyn", "Nami"]
SPELLS = [("Flash", "Dot"), ("Smite", "Flash"), ("Flash", "Teleport"), ("Heal", "Flash"),
          ("Exhaust", "Flash")]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--games", type=int, default=0)
    parser.add_argument("--offline", type=int, default=0)
    parser.add_argument("--unknown", type=int, default=0)
    parser.add_argument("--data")
    parser.add_argument("--players", required=True)
    args = parser.parse_args()

    games, in_game = [], []
    for g in range(args.games):
        players = []
        for p in range(10):
            name = f"对局{g:04d}号{p}"
            spell1, spell2 = SPELLS[p % len(SPELLS)]
            players.append({"name": name, "champion": CHAMPIONS[p], "spell1": spell1,
                            "spell2": spell2})
            in_game.append(name)
        games.append({
            "id": f"B{g}",
            "startTime": f"Dec 11, 2026 {1 + g % 12:02d}:{g % 60:02d}:00 PM",
            "state": "inGame",
            "map": "Summoner's Rift" if g % 2 == 0 else "Howling Abyss",
            "elo": 1200 + g % 800,
            "spectate": f"spectator 127.0.0.1:8394 Key{g:04d} {4000000000 + g} HN1",
            "players": players,
        })
    offline = [f"离线玩家{i:05d}" for i in range(args.offline)]
    unknown = [f"路人{i:05d}" for i in range(args.unknown)]

    names, kinds = [], [in_game, offline, unknown]
    while any(kinds):
        for kind in kinds:
            if kind:
                names.append(kind.pop(0))
    with open(args.players, "w", encoding="utf-8") as out:
        out.writelines(name + "\n" for name in names)
    if args.data:
        data = {"_comment": "written by benchmarks/data/make_players.py", "games": games,
                "offline": [f"离线玩家{i:05d}" for i in range(args.offline)]}
        with open(args.data, "w", encoding="utf-8") as out:
            json.dump(data, out, ensure_ascii=False, indent=1)


if __name__ == "__main__":
    main()
