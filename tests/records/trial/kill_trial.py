#!/usr/bin/env python3
"""Kill trial of bill payments.

Pays bills through bill_pay_trial (the Bill Payment dialog's own posting code) and kills it with
SIGKILL at random moments, then checks that nothing was lost or doubled: after every kill
`kelo-data check` passes (every transaction whole, the balances agreed), and at the end every
trial bill's paid amounts equal the postings made for it, every acknowledged payment is among
them, and the bank moved by exactly their total.
"""

import argparse
import json
import os
import random
import signal
import subprocess
import sys
import tempfile
import time

BANK = "1200"
PAY_TO = "7100"


def run(args):
    result = subprocess.run(args, capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit(f"failed: {' '.join(args)}\n{result.stdout}{result.stderr}")
    return result.stdout


def dump(tool, company, file):
    return [json.loads(line) for line in run([tool, "dump", company, file, "--json"]).splitlines()
            if line.strip()]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--driver", required=True)
    parser.add_argument("--kelo-data", required=True, dest="tool")
    parser.add_argument("--trials", type=int, default=200)
    parser.add_argument("--bills", type=int, default=20)
    parser.add_argument("--seed", type=int, default=None)
    args = parser.parse_args()
    seed = args.seed if args.seed is not None else int(time.time())
    rng = random.Random(seed)

    with tempfile.TemporaryDirectory(prefix="bill-kill-") as tmp:
        company = os.path.join(tmp, "company")
        run([args.tool, "demo", company, "--date", "06/12/2026", "--seed", "1"])
        first = len(dump(args.tool, company, "BILLS.DTA")) + 1
        headers_before = len(dump(args.tool, company, "HEADER.DTA"))
        bank_before = next(b["balance"] for b in dump(args.tool, company, "BANK.DTA")
                           if b["code"] == BANK)
        bills = {}
        with open(os.path.join(tmp, "bills.jsonl"), "w") as out:
            for n in range(first, first + args.bills):
                details = f"Kill trial bill {n}"
                bills[n] = details
                out.write(json.dumps({
                    "record_number": n, "pay_to": PAY_TO, "details": details,
                    "reference": f"KT{n}", "tax_code": 1, "bill_date": 46300, "due_date": 46330,
                    "first_due_date": 46330, "first_due_date_set": 1, "net_amount": 100000.0,
                    "tax_amount": 20000.0, "net_paid": 0, "tax_paid": 0, "date_paid": 0}) + "\n")
        run([args.tool, "import", company, "BILLS.DTA", os.path.join(tmp, "bills.jsonl")])

        # How long an unkilled run takes, so the kills spread over all of it.
        start = time.monotonic()
        calibration = run([args.driver, "pay", company, str(first), "1.00", "0.20", BANK, "4"])
        span = time.monotonic() - start
        acknowledged = {n: 0 for n in bills}
        acknowledged[first] += calibration.count("posted")

        killed = completed = 0
        for trial in range(args.trials):
            bill = rng.choice(list(bills))
            net = rng.randint(1, 500) / 100
            vat = round(net * 0.2, 2)
            proc = subprocess.Popen([args.driver, "pay", company, str(bill), f"{net:.2f}",
                                     f"{vat:.2f}", BANK, str(rng.randint(1, 4))],
                                    stdout=subprocess.PIPE, text=True)
            time.sleep(rng.uniform(0, span * 1.1))
            if proc.poll() is None:
                proc.send_signal(signal.SIGKILL)
                killed += 1
            else:
                completed += 1
            out, _ = proc.communicate()
            acknowledged[bill] += out.count("posted")
            checked = subprocess.run([args.tool, "check", company], capture_output=True, text=True)
            if checked.returncode != 0:
                sys.exit(f"trial {trial}: check failed after the kill\n{checked.stdout}{checked.stderr}")

        paid = {n: [0.0, 0.0, 0] for n in bills}
        splits = {s["record_number"]: s for s in dump(args.tool, company, "SPLIT.DTA")}
        gross = 0.0
        for header in dump(args.tool, company, "HEADER.DTA")[headers_before:]:
            split = splits[header["first_split"]]
            bill = next((n for n, d in bills.items() if d == header["details"]), None)
            if bill is None or split["nominal_code"] != PAY_TO:
                sys.exit(f"a posting of no trial bill: header {header['record_number']}")
            paid[bill][0] += split["net_amount"]
            paid[bill][1] += split["tax_amount"]
            paid[bill][2] += 1
            gross += header["net_amount"] + header["tax_amount"]

        faults = []
        for record in dump(args.tool, company, "BILLS.DTA"):
            n = record["record_number"]
            if n not in bills:
                continue
            net, tax, count = paid[n]
            if abs(record["net_paid"] - net) > 0.005 or abs(record["tax_paid"] - tax) > 0.005:
                faults.append(f"bill {n}: paid {record['net_paid']:.2f} + {record['tax_paid']:.2f}"
                              f", postings {net:.2f} + {tax:.2f}")
            if count < acknowledged[n]:
                faults.append(f"bill {n}: {acknowledged[n]} payments acknowledged, {count} posted")
        bank_after = next(b["balance"] for b in dump(args.tool, company, "BANK.DTA")
                          if b["code"] == BANK)
        if abs((bank_before - gross) - bank_after) > 0.005:
            faults.append(f"bank {BANK}: {bank_after:.2f}, expected {bank_before - gross:.2f}")

        postings = sum(p[2] for p in paid.values())
        print(f"seed {seed}: {args.trials} trials ({killed} killed mid-run, {completed} ran to the "
              f"end), {postings} payments posted, {sum(acknowledged.values())} acknowledged "
              f"before the kill, run length {span * 1000:.0f} ms")
        if faults:
            sys.exit("\n".join(faults))
        print("every bill's paid amounts match its postings; none lost, none doubled")


if __name__ == "__main__":
    main()
