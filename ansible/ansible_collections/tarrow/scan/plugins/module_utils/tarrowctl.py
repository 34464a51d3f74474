# tarrowctl on the managed host: run with --json, its one document read back. The password of an
# account goes to tarrowctl on standard input (--password-stdin), never on its command line.
from __future__ import absolute_import, division, print_function

__metaclass__ = type

import json

# The options that every module of the collection takes.
COMMON_ARGUMENTS = dict(
    device=dict(type='str', required=True),
    tarrowctl=dict(type='str', default='tarrowctl'),
)


def run_tarrowctl(module, arguments, password=None):
    """tarrowctl ARGUMENTS --json (and --password-stdin with a password); its document.

    The module fails when tarrowctl cannot be started or prints no JSON document."""
    executable = module.params['tarrowctl']
    if '/' not in executable:
        executable = module.get_bin_path(executable, required=True)
    command = [executable] + list(arguments) + ['--json']
    if password is None:
        rc, out, err = module.run_command(command)
    else:
        if '\n' in password or '\r' in password:
            module.fail_json(msg='the password holds a line break, which tarrowctl --password-stdin cannot read; '
                                 'give the account a password of one line')
        rc, out, err = module.run_command(command + ['--password-stdin'], data=password)
    try:
        document = json.loads(out)
    except ValueError:
        document = None
    if not isinstance(document, dict) or 'ok' not in document:
        module.fail_json(msg='tarrowctl printed no JSON document (exit code %d): %s' % (rc, err.strip()),
                         rc=rc, stderr=err)
    return document


def fail_from(module, document, **result):
    """Fails the module with tarrowctl's error: its message, code word and exit code."""
    error = document.get('error') or {}
    module.fail_json(msg=error.get('message', 'tarrowctl failed'), error_code=error.get('code', 'failed'),
                     rc=error.get('exitCode', 1), **result)


def folder_records(module):
    """The device's folder records and this computer's name as they name it (tarrowctl list)."""
    document = run_tarrowctl(module, ['list', module.params['device']])
    if not document['ok']:
        fail_from(module, document, changed=False)
    return document['folders'], document['computer']


def find_record(records, name):
    """The record of that name (names compare without case, as the device's do), or None."""
    for record in records:
        if record['name'].upper() == name.upper():
            return record
    return None
