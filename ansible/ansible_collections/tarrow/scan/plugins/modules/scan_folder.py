#!/usr/bin/python
# A scan folder on a network printer for the managed computer, set up or removed by tarrowctl.
from __future__ import absolute_import, division, print_function

__metaclass__ = type

DOCUMENTATION = r'''
---
module: scan_folder
short_description: A scan folder of this computer on a network printer
version_added: "1.0.0"
description:
  - Sets up scanning from a network multifunction printer into a shared folder of the managed
    computer, as C(tarrowctl add) does - the folder, full rights on it for the account, a Samba
    share for that account alone, and the printer's folder record - or removes the printer's
    record again (C(tarrowctl remove)).
  - Runs C(tarrowctl) on the managed computer with C(--json). A folder set up before with the same
    name, account and share is left as it is (C(tarrowctl add --if-absent)), so a second run with
    the same options reports no change; for several printers the one folder and share are
    registered on each.
  - A record of the name on the printer that writes to another computer or as another account is
    never overwritten; the task fails and says how to remove it.
options:
  state:
    description:
      - C(present) sets the folder up unless it is in place; C(absent) removes the printer's record.
    type: str
    choices: [present, absent]
    default: present
  name:
    description:
      - The folder's name, which is also the name of its Samba share and of the printer's record.
    type: str
    required: true
  location:
    description:
      - The folder that holds the scan folder on the managed computer.
      - Default is C(~/Norvik_Scans) of the account that runs the task.
    type: path
  user:
    description:
      - The account the printer writes as. Default is the account that runs the task.
    type: str
  password:
    description:
      - The account's Samba password, checked against the computer's Samba server and stored on
        the printer. It reaches C(tarrowctl) on standard input only.
      - Without it no account is stored on the printer - whoever scans signs in at the printer.
      - A folder that is in place already keeps the password the printer holds.
    type: str
  format:
    description: The file format of the scans.
    type: str
    choices: [pdf, tiff, mtiff, jpeg]
  resolution:
    description: The resolution of the scans in dots per inch.
    type: int
    choices: [600, 400, 300, 200, 150, 75]
  color:
    description: Color or black and white.
    type: str
    choices: [color, bw]
  size:
    description: The file size of the scans.
    type: str
    choices: [small, standard, large]
  computer_side:
    description:
      - With I(state=absent), also stop sharing the folder on the managed computer; its share,
        the account's access to it, the search rights the set-up gave the folders above and the
        desktop link go (C(tarrowctl remove --computer-side)); the folder and the scans in it stay.
    type: bool
    default: false
attributes:
  check_mode:
    support: full
    details: Reads the printer's records (C(tarrowctl list)) and changes nothing.
notes:
  - The scan options and the stored password of a folder that is in place are not compared or
    changed; remove the folder first to set them anew.
  - Check mode reads the printer's records only; the share and the folder on the managed
    computer are checked by the real run.
  - With pipelining on (C(ANSIBLE_PIPELINING=true)) the module's arguments, the password among
    them, never land in a temporary file on the managed computer.
requirements:
  - a Samba server on the managed computer
extends_documentation_fragment:
  - tarrow.scan.device
author:
  - Tarrow Maintainers
'''

EXAMPLES = r'''
- name: A scan folder on the office printer for the desk's account
  tarrow.scan.scan_folder:
    device: 192.168.1.40
    name: "{{ inventory_hostname_short | upper }}_Scans"
    user: "{{ desk_account }}"
    password: "{{ desk_account_password }}"
    format: pdf
    resolution: 300

- name: Whoever scans signs in at the printer
  tarrow.scan.scan_folder:
    device: 192.168.1.40
    name: Shared_Scans
    location: /srv/scans

- name: The printer forgets the folder, and this computer stops sharing it (the folder and its scans stay)
  tarrow.scan.scan_folder:
    device: 192.168.1.40
    name: Old_Scans
    state: absent
    computer_side: true
'''

RETURN = r'''
result:
  description:
    - C(added) (the folder, its share and the printer's record), C(registered) (the printer's
      record alone, for a folder and share set up for another printer), C(unchanged), C(removed),
      or C(absent) when the printer held no such record.
  returned: always
  type: str
  sample: added
name:
  description: The folder's name.
  returned: always
  type: str
  sample: Scans
share:
  description: The network path the printer writes to.
  returned: when I(state=present)
  type: str
  sample: \\DESK-12\Scans
folder:
  description: The folder on the managed computer (not in check mode).
  returned: when I(state=present)
  type: str
  sample: /home/anna/Norvik_Scans/Scans
user:
  description: The account the printer writes as; empty when whoever scans signs in at the printer.
  returned: when I(state=present)
  type: str
  sample: anna
device:
  description: The printer's IP address.
  returned: always
  type: str
  sample: 192.168.1.40
'''

import os
import pwd

from ansible.module_utils.basic import AnsibleModule
from ansible_collections.tarrow.scan.plugins.module_utils.tarrowctl import (
    COMMON_ARGUMENTS, fail_from, find_record, folder_records, run_tarrowctl)

SCAN_OPTIONS = ('format', 'resolution', 'color', 'size')


def add_arguments(params):
    arguments = ['add', params['device'], '--name', params['name'], '--if-absent']
    for option in ('location', 'user') + SCAN_OPTIONS:
        if params[option] is not None:
            arguments += ['--' + option, str(params[option])]
    if params['password'] is None:
        arguments.append('--ask-at-device')
    return arguments


def record_writer(params):
    """The account the record of a set-up in place writes as: empty when the printer asks."""
    if params['password'] is None:
        return ''
    return params['user'] or pwd.getpwuid(os.geteuid()).pw_name


def present_in_check_mode(module, result):
    """What tarrowctl add --if-absent would do, from the printer's records."""
    params = module.params
    records, computer = folder_records(module)
    record = find_record(records, params['name'])
    share = '\\\\%s\\%s' % (computer, params['name'])
    result.update(share=share, user=record_writer(params))
    if record is None:
        module.exit_json(changed=True, result='added', **result)
    if record['path'].upper() != share.upper() or record['user'] != result['user']:
        writer = 'as ' + record['user'] if record['user'] else 'as whoever signs in at the printer'
        module.fail_json(msg='the printer holds a folder record %s that writes to %s %s; tarrowctl add --if-absent '
                             'leaves it as it is' % (record['name'], record['path'], writer), changed=False, **result)
    module.exit_json(changed=False, result='unchanged', **result)


def present(module, result):
    if module.check_mode:
        present_in_check_mode(module, result)
    document = run_tarrowctl(module, add_arguments(module.params), module.params['password'])
    if not document['ok']:
        fail_from(module, document, changed=document.get('changed', False), **result)
    result.update((key, document[key]) for key in ('result', 'name', 'share', 'folder', 'user', 'device'))
    module.exit_json(changed=document['changed'], **result)


def absent(module, result):
    params = module.params
    records, computer = folder_records(module)
    record = find_record(records, params['name'])
    if record is None:
        module.exit_json(changed=False, result='absent', **result)
    if module.check_mode:
        module.exit_json(changed=True, result='removed', **result)
    arguments = ['remove', params['device'], record['name']]
    if params['computer_side']:
        arguments.append('--computer-side')
    document = run_tarrowctl(module, arguments)
    if not document['ok']:
        fail_from(module, document, changed=False, **result)
    module.exit_json(changed=True, result='removed', **result)


def main():
    argument_spec = dict(
        state=dict(type='str', choices=['present', 'absent'], default='present'),
        name=dict(type='str', required=True),
        location=dict(type='path'),
        user=dict(type='str'),
        password=dict(type='str', no_log=True),
        format=dict(type='str', choices=['pdf', 'tiff', 'mtiff', 'jpeg']),
        resolution=dict(type='int', choices=[600, 400, 300, 200, 150, 75]),
        color=dict(type='str', choices=['color', 'bw']),
        size=dict(type='str', choices=['small', 'standard', 'large']),
        computer_side=dict(type='bool', default=False),
        **COMMON_ARGUMENTS
    )
    module = AnsibleModule(argument_spec=argument_spec, supports_check_mode=True)
    result = dict(name=module.params['name'], device=module.params['device'])
    if module.params['state'] == 'present':
        present(module, result)
    else:
        absent(module, result)


if __name__ == '__main__':
    main()
