#!/usr/bin/python
# The folder records a network printer holds, read by tarrowctl list.
from __future__ import absolute_import, division, print_function

__metaclass__ = type

DOCUMENTATION = r'''
---
module: scan_folder_info
short_description: The scan folders a network printer holds
version_added: "1.0.0"
description:
  - Reads the printer's folder records with C(tarrowctl list --json) on the managed computer, each
    record with its name, network path, account and scan options. Changes nothing.
attributes:
  check_mode:
    support: full
    details: Runs the same in check mode; it changes nothing in any case.
extends_documentation_fragment:
  - tarrow.scan.device
author:
  - Tarrow Maintainers
'''

EXAMPLES = r'''
- name: The records of the office printer
  tarrow.scan.scan_folder_info:
    device: 192.168.1.40
  register: office_printer

- name: The names of the records
  ansible.builtin.debug:
    msg: "{{ office_printer.folders | map(attribute='name') | list }}"
'''

RETURN = r'''
folders:
  description: The printer's folder records, in its order.
  returned: always
  type: list
  elements: dict
  contains:
    name:
      description: The record's name.
      type: str
      sample: Scans
    path:
      description: The network path the printer writes to.
      type: str
      sample: \\DESK-12\Scans
    user:
      description: The account the printer writes as; empty when whoever scans signs in at the printer.
      type: str
      sample: anna
    format:
      description: The file format (pdf, tiff, mtiff, jpeg), or the printer's own word for another.
      type: str
      sample: pdf
    resolution:
      description: The resolution in dots per inch.
      type: str
      sample: "300"
    color:
      description: color or bw.
      type: str
      sample: color
    size:
      description: small, standard or large.
      type: str
      sample: standard
computer:
  description: The managed computer's name, as the records of its shares name it.
  returned: always
  type: str
  sample: DESK-12
device:
  description: The printer's IP address.
  returned: always
  type: str
  sample: 192.168.1.40
'''

from ansible.module_utils.basic import AnsibleModule
from ansible_collections.tarrow.scan.plugins.module_utils.tarrowctl import COMMON_ARGUMENTS, folder_records


def main():
    module = AnsibleModule(argument_spec=dict(**COMMON_ARGUMENTS), supports_check_mode=True)
    records, computer = folder_records(module)
    module.exit_json(changed=False, folders=records, computer=computer, device=module.params['device'])


if __name__ == '__main__':
    main()
