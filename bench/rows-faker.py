# The five columns of bench/rows.sh from Faker, as CSV to /dev/null: prints
# rows per second over the count given.
import csv
import datetime
import sys
import time

from faker import Faker

fake = Faker()
count = int(sys.argv[1])
start, end = datetime.date(1950, 1, 1), datetime.date(2005, 12, 31)
out = csv.writer(open("/dev/null", "w"))
began = time.time()
out.writerow(["id", "code", "born", "price", "word"])
for i in range(1, count + 1):
    out.writerow([i, fake.bothify("???-####").upper(),
                  fake.date_between(start_date=start, end_date=end).isoformat(),
                  "%.2f" % fake.pyfloat(left_digits=3, right_digits=2, positive=True),
                  fake.word()])
print("%.0f" % (count / (time.time() - began)))
